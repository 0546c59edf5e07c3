#include "forms/TBerichtForm.h"

#include "forms/WindowMemory.h"

#include "messages/Messages.h"
#include "messages/ScriptedMessages.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <array>

namespace tandemx {
namespace {

struct ButtonSpec {
    uint16_t bit;
    const char* name;
    const char* caption;
    int result;
};

// Left to right in bit order.
const std::array<ButtonSpec, 13> kButtons{{
    {Btn::Bij, "Bij", "&Bij", Result::Yes},
    {Btn::Af, "Af", "&Af", Result::No},
    {Btn::Ja, "Ja", "&Ja", Result::Yes},
    {Btn::Nee, "Nee", "&Nee", Result::No},
    {Btn::OK, "OK", "OK", Result::Ok},
    {Btn::Schrap, "Schrap", "Schrap", Result::Cancel},
    {Btn::Breek, "Breek", "&Afbreken", Result::Abort},
    {Btn::Opnieuw, "Opnieuw", "&Opnieuw", Result::Retry},
    {Btn::Negeren, "Negeren", "&Negeer", Result::Ignore},
    {Btn::Alles, "Alles", "&Alle", Result::All},
    {Btn::AllesNee, "Alles Nee", "N&ee voor Alle", Result::NoToAll},
    {Btn::AllesJa, "Alles Ja", "J&a voor Alle", Result::YesToAll},
    {Btn::Help, "Help", "&Help", Result::None},
}};

constexpr int IconSize = 32;
constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;

// The default button (Enter) and the cancel button (Escape) by bit; only the low eight bits count.
uint16_t defaultBit(uint16_t buttons)
{
    if (buttons & Btn::OK)
        return Btn::OK;
    if (buttons & Btn::Ja)
        return Btn::Ja;
    if (buttons & Btn::Af)
        return Btn::Af;
    return Btn::Opnieuw;
}

uint16_t cancelBit(uint16_t buttons)
{
    if (buttons & Btn::Schrap)
        return Btn::Schrap;
    if (buttons & Btn::Nee)
        return Btn::Nee;
    return Btn::OK;
}

// The message text, drawn with the same flags it was measured with (tabs expanded, word wrap).
class BerichtLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
        p.drawText(rect(), TextFlags, text());
    }
};

QStyle::StandardPixmap iconFor(int kind)
{
    switch (kind) {
    case Warning: return QStyle::SP_MessageBoxWarning;
    case Error: return QStyle::SP_MessageBoxCritical;
    case Information: return QStyle::SP_MessageBoxInformation;
    default: return QStyle::SP_MessageBoxQuestion;
    }
}

QChar mnemonic(const QString& caption)
{
    const auto at = caption.indexOf(u'&');
    return at >= 0 && at + 1 < caption.size() ? caption.at(at + 1).toLower() : QChar();
}

} // namespace

QString TBerichtForm::caption(int kind)
{
    switch (kind) {
    case Warning: return QStringLiteral("Waarschuwing");
    case Error: return QStringLiteral("Fout");
    case Information: return QStringLiteral("Informatie");
    case Question: return QStringLiteral("Bevestig");
    default: return QGuiApplication::applicationDisplayName();
    }
}

QString TBerichtForm::displayText(const QString& text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    out.replace(u'\r', u'\n');
    return out;
}

TBerichtForm::TBerichtForm(const QString& text, int kind, uint16_t buttons, int helpContext, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      buttons_(buttons), helpContext_(helpContext)
{
    setObjectName(QStringLiteral("TBerichtForm"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    build(text, kind);
}

void TBerichtForm::build(const QString& text, int kind)
{
    setWindowTitle(caption(kind));

    // Average character width and text height of the dialog font.
    const QFontMetrics fm(font());
    const int w = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52;
    const int h = fm.height();
    m_ = {w, h, 8 * w / 4, 8 * h / 8, 10 * w / 4, 10 * h / 8, 50 * w / 4, 14 * h / 8, 4 * w / 4};

    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);

    const QString shown = displayText(text);
    const QRect textRect = fm.boundingRect(QRect(0, 0, screenRect.width() / 2, 1 << 20), TextFlags, shown);
    const int textWidth = textRect.width();
    const int textHeight = textRect.height();

    const bool hasIcon = kind >= Warning && kind <= Question;
    const int iconTextWidth = hasIcon ? textWidth + m_.hSpacing + IconSize : textWidth;
    const int iconTextHeight = hasIcon ? std::max(textHeight, IconSize) : textHeight;

    std::vector<const ButtonSpec*> shownButtons;
    for (const auto& spec : kButtons)
        if (buttons_ & spec.bit)
            shownButtons.push_back(&spec);
    const int n = int(shownButtons.size());
    const int buttonRow = n > 0 ? n * m_.buttonWidth + (n - 1) * m_.buttonSpacing : 0;

    const int clientWidth = std::max(iconTextWidth, buttonRow) + 2 * m_.hMargin;
    const int clientHeight = iconTextHeight + m_.buttonHeight + m_.vSpacing + 2 * m_.vMargin;
    setFixedSize(clientWidth, clientHeight);

    if (hasIcon) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image"));
        image->setGeometry(m_.hMargin, m_.vMargin, IconSize, IconSize);
        image->setPixmap(style()->standardIcon(iconFor(kind), nullptr, this).pixmap(IconSize, IconSize));
    }

    auto* label = new BerichtLabel(this);
    label->setObjectName(QStringLiteral("Bericht"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setText(shown);
    label->setGeometry(m_.hMargin + iconTextWidth - textWidth, m_.vMargin, textWidth, textHeight);

    const uint16_t defBit = defaultBit(buttons_);
    const uint16_t escBit = cancelBit(buttons_);
    int x = (clientWidth - buttonRow) / 2;
    const int y = iconTextHeight + m_.vMargin + m_.vSpacing;
    for (const ButtonSpec* spec : shownButtons) {
        auto* button = new QPushButton(QString::fromLatin1(spec->caption), this);
        button->setObjectName(QString::fromLatin1(spec->name));
        button->setGeometry(x, y, m_.buttonWidth, m_.buttonHeight);
        button->setAutoDefault(true);
        x += m_.buttonWidth + m_.buttonSpacing;
        const int result = spec->result;
        if (spec->bit == Btn::Help) {
            connect(button, &QPushButton::clicked, this, [this] {
                if (onHelp)
                    onHelp(helpContext_);
            });
        } else {
            connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        }
        if (spec->bit == defBit)
            default_ = button;
        if (spec->bit == escBit)
            cancel_ = button;
        row_.push_back(button);
    }
    if (default_) {
        default_->setDefault(true);
        default_->setFocus();
    }

    // Centred over the window it belongs to (kept on that window's screen); without one on the screen.
    if (parentWidget())
        centreOver(*this, parentWidget()->window());
    else
        move(screenRect.x() + screenRect.width() / 2 - clientWidth / 2,
             screenRect.y() + screenRect.height() / 2 - clientHeight / 2);
}

void TBerichtForm::reject()
{
    done(Result::Cancel);
}

void TBerichtForm::keyPressEvent(QKeyEvent* event)
{
    const auto mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (event->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        done(cancelResult(buttons_));
        return;
    }
    // As in other message boxes of the desktop, a button's underlined letter works without Alt.
    if (mods == Qt::NoModifier && event->text().size() == 1 && event->text().at(0).isLetter()) {
        const QChar key = event->text().at(0).toLower();
        for (QPushButton* button : row_) {
            if (mnemonic(button->text()) == key) {
                button->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

} // namespace tandemx
