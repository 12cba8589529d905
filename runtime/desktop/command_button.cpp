#include "command_button.h"

#include <QKeySequence>
#include <QShortcut>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>

#include "look.h"

namespace forms {
namespace {

// A caption with its "&" marks taken out: the text shown and where each marked letter is.
struct MarkedCaption {
    QString text;
    QList<int> marks;
};

MarkedCaption parse(const QString& caption) {
    MarkedCaption out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != u'&') out.marks.append(int(out.text.size()));
        }
        out.text.append(caption[i]);
    }
    return out;
}

}  // namespace

QList<QChar> accessKeys(const QString& caption) {
    const MarkedCaption parsed = parse(caption);
    QList<QChar> keys;
    for (const int at : parsed.marks) keys.append(parsed.text[at]);
    return keys;
}

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {
    // A plain push button: Enter does not click it, only Space, the mouse and its access keys.
    setAutoDefault(false);
}

void CommandButton::setCaption(const QString& caption) {
    if (caption == text()) return;
    // Qt's mnemonic takes the first marked letter; every further one needs its own shortcut.
    setText(caption);
    qDeleteAll(furtherKeys_);
    furtherKeys_.clear();
    QList<QKeySequence> taken{QKeySequence::mnemonic(caption)};
    for (const QChar key : accessKeys(caption)) {
        const QKeySequence sequence = QKeySequence::mnemonic(QStringLiteral("&") + key);
        if (sequence.isEmpty() || taken.contains(sequence)) continue;
        taken.append(sequence);
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &CommandButton::accessKeyPressed);
        connect(shortcut, &QShortcut::activatedAmbiguously, this,
                [this] { setFocus(Qt::ShortcutFocusReason); });
        furtherKeys_.append(shortcut);
    }
}

bool CommandButton::event(QEvent* event) {
    // Qt animates a mnemonic's click over a tenth of a second; an access key clicks at once.
    if (event->type() == QEvent::Shortcut) {
        if (static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            setFocus(Qt::ShortcutFocusReason);
        } else {
            accessKeyPressed();
        }
        return true;
    }
    return QPushButton::event(event);
}

void CommandButton::accessKeyPressed() {
    if (!isEnabled() || !isVisible()) return;
    setFocus(Qt::ShortcutFocusReason);
    click();
}

void CommandButton::paintEvent(QPaintEvent* event) {
    // The style underlines only the first marked letter, so the caption is drawn here.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    QStyleOptionButton face = option;
    // The style paints a face into a copy of its size first. Of a face larger than a screen
    // it gets only the part being painted, with room around it for the face's edges to fall
    // outside what is painted.
    if (largerThanAScreen(size())) face.rect = event->rect().adjusted(-8, -8, 8, 8) & rect();
    painter.drawControl(QStyle::CE_PushButton, face);

    const MarkedCaption caption = parse(text());
    QTextLayout layout(caption.text, font(), this);
    QList<QTextLayout::FormatRange> underlines;
    for (const int at : caption.marks) {
        QTextLayout::FormatRange range{at, 1, {}};
        range.format.setFontUnderline(true);
        underlines.append(range);
    }
    layout.setFormats(underlines);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return;

    QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (option.state & (QStyle::State_Sunken | QStyle::State_On)) {
        contents.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    // Whole pixels keep the letters as sharp as the style's own.
    const QPoint at(contents.x() + qRound((contents.width() - line.naturalTextWidth()) / 2.0),
                    contents.y() + qRound((contents.height() - line.height()) / 2.0));
    painter.setPen(option.palette.color(QPalette::ButtonText));
    layout.draw(&painter, at);
}

}  // namespace forms
