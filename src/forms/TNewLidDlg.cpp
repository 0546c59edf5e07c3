#include "forms/TNewLidDlg.h"

#include "forms/Cp1252Validator.h"
#include "records/MemberOps.h"
#include "state/AppState.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tandemx {

namespace {

struct FieldSpec {
    const char* label;
    const char* editName;
    const char* hint;
    MemberField field; // for tags 2..11
    int capacity;
};

// In tag order 1..11.
const FieldSpec fieldSpecs[TNewLidDlg::FieldCount] = {
    {"ClubNo", "ClubNoEdit", "Geef het ClubNummer (max 3cijfers)", MemberField::Voornaam, 0},
    {"Voornaam", "VoorNaamEdit", "Geef de voornaam (met tussenvoegsel)", MemberField::Voornaam, 24},
    {"Achternaam", "AchterNaamEdit", "Geef de achternaam", MemberField::Achternaam, 40},
    {"Groep", "GroepEdit", "Geef de groep (d,h, D,H)", MemberField::Grp, 3},
    {"Status", "ActieEdit", "Geef de actiecode (X, C2)", MemberField::Actie, 3},
    {"Opmerking", "OpmerkEdit", "", MemberField::Opmerking, 32},
    {"Adres", "AdresEdit", "Geeft straat = huisnummer", MemberField::Straat, 40},
    {"Postcode", "PostCodeEdit", "Geef de Postcode", MemberField::Postcode, 8},
    {"Plaats", "PlaatsEdit", "Geef de woonplaats", MemberField::Plaats, 24},
    {"Telefoon", "TelefoonEdit", "Geef het telecoonnummer", MemberField::Telefoon, 12},
    {"E-Mail", "EMailEdit", "Gef het e-mailsdres", MemberField::EMail, 32},
};

constexpr int TagClubNo = 1, TagGroep = 4, TagStatus = 5, TagOpmerking = 6, TagAdres = 7;

} // namespace

TNewLidDlg::TNewLidDlg(AppState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("TNewLidDlg"));
    setProperty("helpContext", 228);
    setModal(true);
    setFixedSize(630, 372);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(12, 10, 12, 10);
    main->setSpacing(8);

    kopLabel_ = new QLabel(this);
    kopLabel_->setObjectName(QStringLiteral("Koplabel"));
    kopLabel_->setFixedHeight(20);
    kopLabel_->setAutoFillBackground(true);
    QPalette olive = kopLabel_->palette();
    olive.setColor(QPalette::Window, QColor(128, 128, 0));
    olive.setColor(QPalette::WindowText, Qt::white);
    kopLabel_->setPalette(olive);
    QFont bold = kopLabel_->font();
    bold.setBold(true);
    kopLabel_->setFont(bold);
    main->addWidget(kopLabel_);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(6);
    fields->setColumnMinimumWidth(2, 16);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(4, 1);

    auto* indexLabel = new QLabel(QStringLiteral("Index"), this);
    clubIndex_ = new QLabel(this);
    clubIndex_->setObjectName(QStringLiteral("ClubIndex"));
    clubIndex_->setFrameShape(QFrame::StyledPanel);
    clubIndex_->setFrameShadow(QFrame::Sunken);
    clubIndex_->setMinimumWidth(48);
    fields->addWidget(indexLabel, 0, 0);
    fields->addWidget(clubIndex_, 0, 1, Qt::AlignLeft);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogInfoView).pixmap(32, 32));
    fields->addWidget(picture, 0, 4, Qt::AlignRight);

    for (int tag = 1; tag <= FieldCount; ++tag) {
        const FieldSpec& spec = fieldSpecs[tag - 1];
        auto* label = new QLabel(QString::fromLatin1(spec.label), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(spec.editName));
        edit->setProperty("tag", tag);
        edit->setProperty("helpContext", tag == TagGroep ? 28 : 228);
        const QString hint = QString::fromLatin1(spec.hint);
        edit->setToolTip(hint);
        edit->setStatusTip(hint);
        edit->setValidator(new Cp1252Validator(edit));
        if (spec.capacity > 0)
            edit->setMaxLength(spec.capacity);
        edit->installEventFilter(this);
        label->setBuddy(edit);
        edits_[size_t(tag - 1)] = edit;
        // Member data on the left, address data on the right.
        const bool left = tag <= TagOpmerking;
        const int row = left ? tag : tag - TagOpmerking;
        fields->addWidget(label, row, left ? 0 : 3);
        fields->addWidget(edit, row, left ? 1 : 4);
    }
    const int narrow = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 6;
    for (int tag : {TagClubNo, TagGroep, TagStatus}) {
        edit(tag)->setMaximumWidth(narrow);
        fields->setAlignment(edit(tag), Qt::AlignLeft);
    }
    main->addLayout(fields);
    main->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    invoegKnop_ = new QPushButton(QStringLiteral("&Voeg in"), this);
    invoegKnop_->setObjectName(QStringLiteral("InvoegKnop"));
    invoegKnop_->setProperty("helpContext", 308);
    stopKnop_ = new QPushButton(QStringLiteral("S&chrap"), this);
    stopKnop_->setObjectName(QStringLiteral("StopKnop"));
    stopKnop_->setProperty("helpContext", 303);
    herstelKnop_ = new QPushButton(QStringLiteral("&Herstel"), this);
    herstelKnop_->setObjectName(QStringLiteral("Herstelknop"));
    herstelKnop_->setProperty("helpContext", 309);
    for (QPushButton* b : {invoegKnop_, stopKnop_, herstelKnop_}) {
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    main->addLayout(buttons);

    for (int tag = 1; tag < FieldCount; ++tag)
        setTabOrder(edit(tag), edit(tag + 1));
    setTabOrder(edit(FieldCount), invoegKnop_);
    setTabOrder(invoegKnop_, stopKnop_);
    setTabOrder(stopKnop_, herstelKnop_);

    connect(invoegKnop_, &QPushButton::clicked, this, &TNewLidDlg::voegIn);
    connect(stopKnop_, &QPushButton::clicked, this, &TNewLidDlg::schrap);
    connect(herstelKnop_, &QPushButton::clicked, this, &TNewLidDlg::herstel);
}

void TNewLidDlg::prepareNew(int row, int memberCount)
{
    own_ = makeMemberRecord(row + 1, memberCount + 1, "h", "-");
    editing_ = nullptr;
    start(QStringLiteral("Nieuw Lid toevoegen"), QStringLiteral(" Invoeren van de velden van een Clublid"));
}

void TNewLidDlg::prepareEdit(TLedenObj& member)
{
    editing_ = &member;
    start(QStringLiteral("Gegevens bewerken"), QStringLiteral(" Wijzigen van de velden van een Clublid : "));
}

void TNewLidDlg::start(const QString& caption, const QString& heading)
{
    QFont f = font();
    if (state_.club.windowFontSize > 0)
        f.setPointSize(state_.club.windowFontSize);
    setFont(f);
    stopKnop_->setEnabled(true);
    invoegKnop_->setEnabled(true);
    outcome_ = Outcome::None;
    setWindowTitle(caption);
    kopLabel_->setText(heading);
    fillEdits();
    restore_ = working();
    edit(TagClubNo)->setFocus();
}

void TNewLidDlg::fillEdits()
{
    const TLedenObj& r = working();
    clubIndex_->setText(QString::number(r.ix()));
    edit(TagClubNo)->setText(QString::number(r.clubNr()));
    for (int tag = 2; tag <= FieldCount; ++tag)
        edit(tag)->setText(r.text(fieldSpecs[tag - 1].field));
}

void TNewLidDlg::storeField(int tag)
{
    TLedenObj& r = working();
    Messages& messages = state_.messages;
    const QString text = edit(tag)->text();
    switch (tag) {
    case TagClubNo: {
        if (text.trimmed().isEmpty()) {
            // Reported, but the focus may move on: the error state stays clear.
            const int before = messages.lastErrorState;
            messages.showMessageNo(QStringLiteral("ClubNummer"), 0, 5, 5);
            messages.lastErrorState = before;
            return;
        }
        int16_t nr = 0;
        if (parseInt16(text, &nr))
            r.setClubNr(nr);
        else
            messages.beep();
        return;
    }
    case TagGroep: {
        const QString grp = text.trimmed();
        if (isValidDialogGroup(grp, state_.club.keyData()))
            r.setText(MemberField::Grp, grp);
        else
            messages.showMessageNo(QStringLiteral("Groep "), 0, 2, 5);
        return;
    }
    case TagStatus: {
        const QString actie = asciiUpperText(text.trimmed());
        if (isValidActie(actie))
            r.setText(MemberField::Actie, actie);
        else
            messages.showMessageNo(QStringLiteral("ActieStatus "), 0, 0, 5);
        return;
    }
    default:
        r.setText(fieldSpecs[tag - 1].field, text);
        return;
    }
}

bool TNewLidDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int tag = watched->property("tag").toInt();
        if (tag >= 1 && tag <= FieldCount) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            Messages& messages = state_.messages;
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                messages.lastErrorState = 0;
                storeField(tag);
                if (messages.lastErrorState == 0) {
                    if (tag < FieldCount) {
                        edit(tag + 1)->setFocus();
                    } else {
                        invoegKnop_->setEnabled(true);
                        invoegKnop_->setFocus();
                    }
                }
                return true;
            }
            if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && tag != TagStatus && tag != TagAdres &&
                tag != TagOpmerking) {
                messages.lastErrorState = 0;
                storeField(tag);
                return false; // the focus moves on by the tab order
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TNewLidDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        stopKnop_->click(); // the cancel button
        return;
    }
    QDialog::keyPressEvent(event);
}

void TNewLidDlg::voegIn()
{
    // A click that arrives after the dialog has closed (a mnemonic clicks its button a moment after the
    // key) finds the member it edited moved or gone: it does nothing.
    if (!isVisible())
        return;
    for (int tag = 1; tag <= FieldCount; ++tag)
        storeField(tag);
    outcome_ = Outcome::VoegIn;
    done(Accepted);
}

void TNewLidDlg::schrap()
{
    if (!isVisible())
        return;
    outcome_ = Outcome::Schrap;
    done(Rejected);
}

void TNewLidDlg::reject()
{
    QDialog::reject();
}

void TNewLidDlg::herstel()
{
    if (!isVisible())
        return;
    working() = restore_;
    fillEdits();
    edit(TagClubNo)->setFocus();
}

} // namespace tandemx
