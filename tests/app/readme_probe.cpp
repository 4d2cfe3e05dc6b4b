// A Qt generic plugin that the install check loads into the installed wizard
// (QT_QPA_GENERIC_PLUGINS=readmeprobe): it clicks the Welcome page's Readme
// icon, prints the path of the file the click would open and ends the
// program. The desktop's open action is replaced for file URLs, so nothing
// is really opened. Exit status 0 when a file was asked to open, 3 when the
// icon never appeared or its click opened nothing.

#include <QApplication>
#include <QDesktopServices>
#include <QGenericPlugin>
#include <QMouseEvent>
#include <QTextStream>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

class ReadmeClicker : public QObject
{
    Q_OBJECT

public:
    ReadmeClicker()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "opened");
        // The window is built once the event loop runs.
        QTimer::singleShot(0, this, &ReadmeClicker::click);
        QTimer::singleShot(20000, this, [] { QCoreApplication::exit(3); });
    }

public slots:
    void opened(const QUrl &url)
    {
        QTextStream(stdout) << url.toLocalFile() << '\n';
        QCoreApplication::exit(0);
    }

private:
    void click()
    {
        QWidget *icon = nullptr;
        for (QWidget *widget : QApplication::allWidgets()) {
            if (widget->objectName() == QLatin1String("Image4(0)") && widget->isVisible())
                icon = widget;
        }
        if (!icon) {
            QTimer::singleShot(50, this, &ReadmeClicker::click);
            return;
        }
        const QPointF centre = QRectF(icon->rect()).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, centre, icon->mapToGlobal(centre), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(icon, &event);
        }
        QTimer::singleShot(2000, this, [] { QCoreApplication::exit(3); });
    }
};

class ReadmeProbePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "readme_probe.json")

public:
    QObject *create(const QString &, const QString &) override { return new ReadmeClicker; }
};

} // namespace

#include "readme_probe.moc"
