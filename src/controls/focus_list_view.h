#pragma once

#include <QListView>

namespace vintora {

// A list view whose border takes the selection colour while it has the
// focus: the focus shows whatever the style draws, also while the list is
// empty and no entry can show it.
class FocusListView : public QListView
{
    Q_OBJECT

public:
    explicit FocusListView(QWidget *parent = nullptr);

    // Whether the border shows the focus.
    bool showsFocusFrame() const { return hasFocus(); }

protected:
    bool event(QEvent *event) override;
};

} // namespace vintora
