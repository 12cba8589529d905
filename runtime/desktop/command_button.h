// The push button that stands for a CommandButton.
//
// Every letter its caption marks with "&" is an access key: Alt and the letter clicks the
// button at once. Qt's own mnemonic covers only the first mark, so the others get shortcuts.
#pragma once

#include <QList>
#include <QPushButton>
#include <QString>

class QShortcut;

namespace forms {

class CommandButton : public QPushButton {
public:
    explicit CommandButton(QWidget* parent);

    // Sets the caption, "&" marking access keys and "&&" standing for "&".
    void setCaption(const QString& caption);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void accessKeyPressed();

    QList<QShortcut*> furtherKeys_;
};

// The letters a caption marks as access keys, in order.
QList<QChar> accessKeys(const QString& caption);

}  // namespace forms
