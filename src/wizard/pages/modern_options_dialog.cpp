#include "wizard/pages/modern_options_dialog.h"

#include "settings/start_values.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vintora {

namespace {

QCheckBox *checkBox(const QString &name, const QString &text, bool checked, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

QRadioButton *orderOption(const QString &name, const QString &text, bool checked, QWidget *parent)
{
    auto *option = new QRadioButton(text, parent);
    option->setObjectName(name);
    option->setChecked(checked);
    return option;
}

} // namespace

ModernOptionsDialog::ModernOptionsDialog(const ModernOptions &options, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmModernOptions"));
    setWindowTitle(QStringLiteral("Modern page options"));
    m_keepLocation = checkBox(QStringLiteral("chkKeepLocation"),
                              QStringLiteral("Keep where the photographs were taken (GPS)"),
                              options.keepLocation, this);
    m_makeAlbums = checkBox(QStringLiteral("chkMakeAlbums"),
                            QStringLiteral("Make an album of each sub-folder"), options.makeAlbums,
                            this);
    auto *order = new QGroupBox(QStringLiteral("Order of the pictures"), this);
    const QString &chosen = options.pictureOrder;
    m_byDate = orderOption(QStringLiteral("optOrder(0)"), QStringLiteral("By date taken"),
                           chosen == QLatin1String(kOrderByDate), order);
    m_byName = orderOption(QStringLiteral("optOrder(1)"), QStringLiteral("By name"),
                           chosen == QLatin1String(kOrderByName), order);
    m_asListed = orderOption(QStringLiteral("optOrder(2)"), QStringLiteral("As listed"),
                             chosen == QLatin1String(kOrderAsListed), order);
    auto *orderLayout = new QVBoxLayout(order);
    orderLayout->addWidget(m_byDate);
    orderLayout->addWidget(m_byName);
    orderLayout->addWidget(m_asListed);
    m_makeZips = checkBox(QStringLiteral("chkMakeZips"), QStringLiteral("Make a zip of each album"),
                          options.makeZips, this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_keepLocation);
    layout->addWidget(m_makeAlbums);
    layout->addWidget(order);
    layout->addWidget(m_makeZips);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ModernOptions ModernOptionsDialog::options() const
{
    ModernOptions chosen;
    chosen.keepLocation = m_keepLocation->isChecked();
    chosen.makeAlbums = m_makeAlbums->isChecked();
    chosen.pictureOrder = QLatin1String(m_byName->isChecked()     ? kOrderByName
                                        : m_asListed->isChecked() ? kOrderAsListed
                                                                  : kOrderByDate);
    chosen.makeZips = m_makeZips->isChecked();
    return chosen;
}

} // namespace vintora
