#include "wizard/font_warm_up.h"

#include <system_error>

#ifdef VINTORA_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace vintora {

FontWarmUp::FontWarmUp()
{
#ifdef VINTORA_HAVE_FONTCONFIG
    try {
        // FcInit is safe to call from any thread, also while Qt calls it:
        // the configuration is read once and shared.
        m_thread = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No second thread: Qt reads the configuration when it needs it.
    }
#endif
}

FontWarmUp::~FontWarmUp()
{
    wait();
}

void FontWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace vintora
