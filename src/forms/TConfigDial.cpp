#include "forms/TConfigDial.h"

#include "forms/WindowMemory.h"
#include "records/Cp1252.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

namespace tandemx {
namespace {

// Texts that the key-data file can store (Windows-1252); anything else cannot be typed.
class Cp1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override { return isCp1252(input) ? Acceptable : Invalid; }
};

struct EditSpec {
    const char* label;
    const char* hint;
    int width; // characters; 0 stretches
};

// Edit1..Edit8 by tag.
const EditSpec kEdits[8] = {
    {"Clubnaam", "Naam van de vereniging", 0},
    {"Aantal leden", "Grootte van de club", 8},
    {"Aantal ronden Tandem", "Totaal aantal tandem", 8},
    {"Aantal ronden Mix", "Totaal aantal gemengde tandem", 8},
    {"Aantal banen", "Aantal beschikbare banen", 8},
    {"Aanduiding Groep1", "Groepaanduiding (Heren)", 8},
    {"Aanduiding Groep2", "Groepaanduiding (Dames)", 8},
    {"Aantal Matches", "Aantal matches voor tee", 8},
};

constexpr auto RestartText = "Voor het activeren van Matches\rHet programma opnieuw starten";

} // namespace

TConfigDial::TConfigDial(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), state_(state)
{
    setObjectName(QStringLiteral("TConfigDial"));
    setWindowTitle(QStringLiteral("Sleutel gegevens"));

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setHorizontalSpacing(16);
    const int charWidth = fontMetrics().averageCharWidth();
    for (int tag = KeyTag::ClubName; tag <= KeyTag::MaxMatches; ++tag) {
        const EditSpec& spec = kEdits[tag - 1];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(tag));
        edit->setProperty("tag", tag);
        edit->setToolTip(QString::fromLatin1(spec.hint));
        edit->setStatusTip(edit->toolTip());
        if (spec.width > 0)
            edit->setFixedWidth(spec.width * charWidth + 12);
        else
            edit->setMinimumWidth(33 * charWidth);
        if (tag == KeyTag::ClubName || tag == KeyTag::Group1 || tag == KeyTag::Group2)
            edit->setValidator(new Cp1252Validator(edit));
        edit->installEventFilter(this);
        edits_[size_t(tag - 1)] = edit;

        auto* label = new QLabel(QString::fromLatin1(spec.label), this);
        label->setObjectName(QStringLiteral("Label%1").arg(tag));
        label->setBuddy(edit);
        if (tag == KeyTag::MaxMatches)
            matchesLabel_ = label;
        form->addRow(label, edit);
    }

    auto makeBox = [this](const char* name, const char* caption, int tag) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), this);
        box->setObjectName(QString::fromLatin1(name));
        box->setProperty("tag", tag);
        box->installEventFilter(this);
        return box;
    };
    gamesBox_ = makeBox("GamesBox", "Aantal games of sets bijhouden", KeyTag::Games);
    veelWeinigBox_ = makeBox("VeelWeinigBox", "Waarschuwen bij teveel of teweinig banen", KeyTag::VeelWeinig);
    helpmessBox_ = makeBox("HelpmessBox", "Voortgang-berichten tonen", KeyTag::Helpmess);
    baancodeBox_ = makeBox("BaancodeBox", "Baancodering actief", KeyTag::Baancode);
    connect(gamesBox_, &QCheckBox::clicked, this, &TConfigDial::gamesBoxClicked);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    okBtn_ = new QPushButton(QStringLiteral("O&k"), this);
    okBtn_->setObjectName(QStringLiteral("OkBtn"));
    schrapBtn_ = new QPushButton(QStringLiteral("Schrap"), this);
    schrapBtn_->setObjectName(QStringLiteral("SchrapBtn"));
    connect(okBtn_, &QPushButton::clicked, this, &TConfigDial::accept);
    connect(schrapBtn_, &QPushButton::clicked, this, &TConfigDial::reject);

    auto* boxes = new QVBoxLayout;
    boxes->setSpacing(8);
    boxes->addWidget(gamesBox_);
    boxes->addSpacing(8);
    boxes->addWidget(veelWeinigBox_);
    boxes->addWidget(helpmessBox_);
    boxes->addWidget(baancodeBox_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn_);
    buttons->addWidget(schrapBtn_);

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(20, 20, 20, 16);
    top->addLayout(form);
    top->addSpacing(12);
    top->addLayout(boxes);
    top->addStretch();
    top->addWidget(line);
    top->addLayout(buttons);

    // Tab follows the order in which Enter moves through the fields.
    QWidget* previous = nullptr;
    for (QWidget* w : {static_cast<QWidget*>(edits_[0]), static_cast<QWidget*>(edits_[1]),
                       static_cast<QWidget*>(edits_[2]), static_cast<QWidget*>(edits_[3]),
                       static_cast<QWidget*>(edits_[4]), static_cast<QWidget*>(edits_[5]),
                       static_cast<QWidget*>(edits_[6]), static_cast<QWidget*>(edits_[7]),
                       static_cast<QWidget*>(gamesBox_), static_cast<QWidget*>(veelWeinigBox_),
                       static_cast<QWidget*>(helpmessBox_), static_cast<QWidget*>(baancodeBox_),
                       static_cast<QWidget*>(okBtn_), static_cast<QWidget*>(schrapBtn_)}) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }

    resize(DefaultWidth, DefaultHeight);
    rememberPlace(*this, state_);
}

void TConfigDial::fillControls()
{
    data_ = state_.club.config ? state_.club.config->keyData : state_.club.keyData();
    fields_.restartNeeded = false;
    const KeyDataControls c = KeyDataControls::from(data_);
    for (int tag = KeyTag::ClubName; tag <= KeyTag::MaxMatches; ++tag)
        edits_[size_t(tag - 1)]->setText(c.edit(tag));
    gamesBox_->setChecked(c.games);
    matchesLabel_->setEnabled(c.games);
    edits_[KeyTag::MaxMatches - 1]->setEnabled(c.games);
    veelWeinigBox_->setChecked(c.veelWeinig);
    helpmessBox_->setChecked(c.helpmess);
    baancodeBox_->setChecked(c.baancode);
}

KeyDataControls TConfigDial::controls() const
{
    KeyDataControls c;
    for (int tag = KeyTag::ClubName; tag <= KeyTag::MaxMatches; ++tag)
        c.edit(tag) = edits_[size_t(tag - 1)]->text();
    c.games = gamesBox_->isChecked();
    c.veelWeinig = veelWeinigBox_->isChecked();
    c.helpmess = helpmessBox_->isChecked();
    c.baancode = baancodeBox_->isChecked();
    return c;
}

void TConfigDial::takeField(int tag, bool check)
{
    fields_.takeField(tag, controls(), check);
}

void TConfigDial::enterPressed(int tag)
{
    state_.messages.lastErrorState = 0;
    takeField(tag, true);
    if (state_.messages.lastErrorState != 0)
        return;
    QLineEdit* matches = edits_[KeyTag::MaxMatches - 1];
    if (tag < KeyTag::Group2)
        focusOn(edits_[size_t(tag)]);
    else if (tag == KeyTag::Group2 && matches->isEnabled())
        focusOn(matches);
    else
        focusOn(gamesBox_);
}

void TConfigDial::focusOn(QWidget* widget)
{
    widget->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
}

void TConfigDial::gamesBoxClicked(bool checked)
{
    QLineEdit* matches = edits_[KeyTag::MaxMatches - 1];
    matchesLabel_->setEnabled(checked);
    matches->setEnabled(checked);
    matches->setText(checked ? QString::number(data_.maxMatches) : QString());
}

bool TConfigDial::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (qobject_cast<QLineEdit*>(watched))
                enterPressed(watched->property("tag").toInt());
            // On a check box Enter does nothing: it must not close the dialog by surprise.
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TConfigDial::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    focusOn(edits_[0]);
}

void TConfigDial::accept()
{
    // A count that fails its check keeps the dialog open: the first one is reported and focused, and
    // nothing is written (a refused value would otherwise reach the .cfg and later the schedule).
    const KeyDataControls typed = controls();
    for (int tag : {KeyTag::ClubSize, KeyTag::DoublesRounds, KeyTag::MixedRounds, KeyTag::Courts, KeyTag::MaxMatches}) {
        QLineEdit* edit = edits_[size_t(tag - 1)];
        if (!edit->isEnabled())
            continue;
        state_.messages.lastErrorState = 0;
        fields_.takeField(tag, typed, true);
        if (state_.messages.lastErrorState != 0) {
            focusOn(edit);
            return;
        }
    }
    fields_.takeAll(typed);
    if (fields_.restartNeeded)
        state_.messages.showBericht(QString::fromLatin1(RestartText), Information, Btn::OK, 0);
    if (!state_.club.config)
        setDefaults(state_);
    state_.club.config->keyData = data_;
    saveConfig(state_, state_.club.memberFileName);
    QDialog::accept();
}

void TConfigDial::reject()
{
    if (onCancel)
        onCancel();
    emit cancelled();
    QDialog::reject();
}

bool ShowConfig(AppState& state, bool useDefaults, QWidget* parent, std::function<void()> onCancel)
{
    if (useDefaults) {
        setDefaults(state);
    } else if (!state.club.members) {
        state.messages.showBericht(QStringLiteral("Geen Ledenbestand geladen"), Warning, Btn::OK, 0);
        return false;
    }
    TConfigDial dialog(state, parent);
    dialog.onCancel = std::move(onCancel);
    dialog.fillControls();
    dialog.resize(TConfigDial::DefaultWidth, TConfigDial::DefaultHeight);
    state.modalHooks.aboutToShow(dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    state.club.configAccepted = accepted;
    return accepted;
}

} // namespace tandemx
