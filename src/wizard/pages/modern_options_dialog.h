#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QRadioButton;

namespace vintora {

// The modern page's own choices, as the options dialog shows them.
struct ModernOptions
{
    bool keepLocation = false;
    bool makeAlbums = true;
    QString pictureOrder; // "date", "name" or "list"
    bool makeZips = false;

    bool operator==(const ModernOptions &) const = default;
};

// "Modern page options": where the photographs were taken, albums of
// sub-folders, the pictures' order and zips of albums. OK takes the
// choices; Cancel and Escape leave the earlier ones.
class ModernOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    ModernOptionsDialog(const ModernOptions &options, QWidget *parent);

    ModernOptions options() const;

private:
    QCheckBox *m_keepLocation;
    QCheckBox *m_makeAlbums;
    QRadioButton *m_byDate;
    QRadioButton *m_byName;
    QRadioButton *m_asListed;
    QCheckBox *m_makeZips;
};

} // namespace vintora
