#include "forms/HelpViewer.h"

#include "forms/Icons.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include <map>

// The help pages live in the forms library's resources; a static library needs them registered.
static void initHelpResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)done;
}

namespace tandemx {

namespace {

// Help context number -> page and anchor under :/help. Several numbers share a page.
const std::map<int, const char*>& pageTable()
{
    static const std::map<int, const char*> table{
        {0, "meldingen.html"},
        {10, "inhoud.html"},
        {28, "lid.html#groep"},
        {200, "hoofdvenster.html"},
        {202, "helpgebruik.html"},
        {217, "hoofdvenster.html#iconen"},
        {220, "bestand.html"},
        {221, "bestand.html#nieuw"},
        {222, "bestand.html#open"},
        {223, "bestand.html#bewaren"},
        {224, "bestand.html#bewarenals"},
        {225, "bestand.html#print"},
        {226, "bestand.html#adressen"},
        {227, "bestand.html#exit"},
        {228, "lid.html"},
        {230, "ledenlijst.html#bewerken"},
        {231, "ledenlijst.html#invoegen"},
        {232, "ledenlijst.html#verwijderen"},
        {233, "ledenlijst.html#zoeken"},
        {234, "ledenlijst.html#sorteren"},
        {235, "ledenlijst.html"},
        {240, "schema.html"},
        {241, "schema.html#namen"},
        {242, "schema.html#paren"},
        {250, "overzichten.html"},
        {251, "overzichten.html#parenschema"},
        {252, "overzichten.html#baanschema"},
        {253, "overzichten.html#aantal"},
        {254, "overzichten.html#kruistabel"},
        {255, "wijzigen.html"},
        {256, "banen.html"},
        {260, "match.html"},
        {261, "match.html#nieuw"},
        {262, "match.html#open"},
        {263, "match.html#verwijder"},
        {264, "matchvenster.html"},
        {265, "invoer.html"},
        {266, "match.html#kopie"},
        {270, "opties.html"},
        {272, "opties.html#print"},
        {273, "opties.html#persoon"},
        {280, "hoofdvenster.html#beeld"},
        {290, "helpgebruik.html#menu"},
        {301, "knoppen.html#ok"},
        {303, "knoppen.html#schrap"},
        {304, "knoppen.html#turven"},
        {305, "knoppen.html#schud"},
        {306, "knoppen.html#bewaar"},
        {307, "knoppen.html#print"},
        {308, "knoppen.html#voegin"},
        {309, "knoppen.html#herstel"},
    };
    return table;
}

// Windows and commands whose number is shared with another command, or that have none.
const std::map<QString, const char*>& nameTable()
{
    static const std::map<QString, const char*> table{
        {QStringLiteral("SluitBitBtn"), "knoppen.html#sluit"},      // 251 is also "&Parenschema"
        {QStringLiteral("Configuratie1"), "sleutel.html"},          // no number of its own
        {QStringLiteral("TConfigDial"), "sleutel.html"},
        {QStringLiteral("InvoerGames1"), "invoer.html"},            // the game input window's page
        {QStringLiteral("UitvoerGames1"), "overzichten.html#games"},
        {QStringLiteral("Informatie1"), "helpgebruik.html#informatie"},
        {QStringLiteral("AboutBox"), "helpgebruik.html#informatie"},
        {QStringLiteral("HelpViewer"), "helpgebruik.html"},
    };
    return table;
}

QUrl pageUrl(const char* page)
{
    initHelpResources();
    return QUrl(QStringLiteral("qrc:/help/") + QString::fromLatin1(page));
}

QPointer<HelpViewer>& viewerSlot()
{
    static QPointer<HelpViewer> viewer;
    return viewer;
}

// True when w is owner or one of its windows' descendants (across window boundaries).
bool descendsFrom(const QWidget* w, const QWidget* owner)
{
    for (; w; w = w->parentWidget())
        if (w == owner)
            return true;
    return false;
}

} // namespace

QUrl helpUrl(int helpContext)
{
    const auto it = pageTable().find(helpContext);
    return it == pageTable().end() ? QUrl() : pageUrl(it->second);
}

QUrl helpUrlForName(const QString& objectName)
{
    const auto it = nameTable().find(objectName);
    return it == nameTable().end() ? QUrl() : pageUrl(it->second);
}

QUrl helpContentsUrl() { return helpUrl(10); }

QList<int> helpContexts()
{
    QList<int> list;
    for (const auto& [context, page] : pageTable())
        list.append(context);
    return list;
}

void showHelp(int helpContext, QWidget* parent)
{
    const QUrl url = helpUrl(helpContext);
    showHelpUrl(url.isEmpty() ? helpContentsUrl() : url, parent);
}

void showHelpUrl(const QUrl& url, QWidget* parent)
{
    // The viewer belongs to the window it is called from, so a modal dialog does not block it.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* owner = parent ? parent->window() : (modal ? modal : QApplication::activeWindow());
    if (qobject_cast<HelpViewer*>(owner))
        owner = owner->parentWidget() ? owner->parentWidget()->window() : nullptr;
    QPointer<HelpViewer>& viewer = viewerSlot();
    if (viewer) {
        QWidget* host = viewer->parentWidget();
        const bool blocked = modal && modal != viewer && !descendsFrom(viewer, modal);
        const bool hostGone = host && !host->isVisible();
        if (blocked || hostGone || (host != owner && owner && !descendsFrom(owner, host))) {
            viewer->close();
            delete viewer.data();
        }
    }
    if (!viewer)
        viewer = new HelpViewer(owner);
    viewer->open(url);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

HelpViewer* HelpViewer::current() { return viewerSlot().data(); }

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Help - Tennis Programma TandemX"));
    setWindowIcon(appIcon());
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto tool = [&](const char* name, const QString& text, const QString& tip, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(tip);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        bar->addWidget(b);
        return b;
    };
    back_ = tool("TerugBtn", QStringLiteral("&Terug"), QStringLiteral("Vorige pagina (Alt+Links)"), QStyle::SP_ArrowBack);
    forward_ = tool("VooruitBtn", QStringLiteral("&Vooruit"), QStringLiteral("Volgende pagina (Alt+Rechts)"),
                    QStyle::SP_ArrowForward);
    QToolButton* home = tool("InhoudBtn", QStringLiteral("&Inhoud"), QStringLiteral("Inhoud van de help"),
                             QStyle::SP_DirHomeIcon);
    bar->addStretch();
    layout->addLayout(bar);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    browser_->document()->setDefaultStyleSheet(QStringLiteral(
        "h1 { color: #1f6b3a; } h2 { color: #1f6b3a; } h3 { color: #8a3d1c; }"
        "td, th { padding: 2px 6px; } th { background: #e4efe6; }"
        ".key { font-weight: bold; }"));
    layout->addWidget(browser_, 1);

    auto* close = new QPushButton(QStringLiteral("&Sluit"), this);
    close->setObjectName(QStringLiteral("SluitHelpBtn"));
    close->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, [this] { browser_->setSource(helpContentsUrl()); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Help - Tennis Programma TandemX")
                                       : QStringLiteral("Help - ") + title);
    });
    resize(660, 560);
}

void HelpViewer::open(const QUrl& url)
{
    if (browser_->source() == url)
        browser_->reload();
    browser_->setSource(url);
    if (!url.fragment().isEmpty())
        browser_->scrollToAnchor(url.fragment());
}

QUrl HelpViewer::source() const { return browser_->source(); }

} // namespace tandemx
