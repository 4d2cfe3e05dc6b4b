#pragma once

#include "designer/preview_window.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>

// While it lives, hands every preview window that opens to the inspection
// and then closes it (unless the inspection did). Any modal window still
// open after five seconds is closed, so that a test cannot hang.
class PreviewWatch
{
public:
    explicit PreviewWatch(std::function<void(vintora::PreviewWindow *)> inspect)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this, inspect] {
            QWidget *modal = QApplication::activeModalWidget();
            auto *window = qobject_cast<vintora::PreviewWindow *>(modal);
            if (window && window->isVisible()) {
                ++m_seen;
                inspect(window);
                if (window->isVisible())
                    window->close();
            } else if (modal && m_deadline.hasExpired()) {
                modal->close();
            }
        });
        m_timer.start(10);
    }

    int seen() const { return m_seen; }

private:
    QTimer m_timer;
    QDeadlineTimer m_deadline{5000};
    int m_seen = 0;
};
