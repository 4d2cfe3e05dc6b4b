#pragma once

#include <QAccessible>
#include <QStringList>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

// Stands in for a screen reader while it lives: accessibility is on, as a
// running screen reader turns it on, and the texts of the alerts that a
// screen reader would say at once, wherever the focus is, are recorded.
class ScreenReader
{
public:
    ScreenReader()
    {
        s_alerts.clear();
        m_previous = QAccessible::installUpdateHandler(record);
        if (QPlatformAccessibility *accessibility = platformAccessibility())
            accessibility->setActive(true);
    }
    ~ScreenReader()
    {
        if (QPlatformAccessibility *accessibility = platformAccessibility())
            accessibility->setActive(false);
        QAccessible::installUpdateHandler(m_previous);
    }
    ScreenReader(const ScreenReader &) = delete;
    ScreenReader &operator=(const ScreenReader &) = delete;

    QStringList alerts() const { return s_alerts; }

private:
    static QPlatformAccessibility *platformAccessibility()
    {
        QPlatformIntegration *integration = QGuiApplicationPrivate::platformIntegration();
        return integration ? integration->accessibility() : nullptr;
    }

    static void record(QAccessibleEvent *event)
    {
        if (event->type() == QAccessible::Alert)
            s_alerts << event->accessibleInterface()->text(QAccessible::Name);
    }

    static inline QStringList s_alerts;
    QAccessible::UpdateHandler m_previous = nullptr;
};
