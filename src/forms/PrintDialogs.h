#pragma once
// The dialogs around a printout: the print preview and the system's print dialog. The desktop program
// shows Qt's (QtPrintDialogs); tests answer them; without any the printout goes straight on.
#include <QString>

#include <functional>

class QPrinter;

namespace tandemx {

struct AppState;

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // Shows the pages `paint` draws on `printer` (called again whenever the preview needs them, for
    // example after the user turned the page). True when the user chose to print them; the printer
    // then holds what the user set in the preview (the orientation).
    virtual bool preview(QPrinter& printer, const QString& title, const std::function<void(QPrinter&)>& paint) = 0;
    // The system's print dialog for a printout on a real printer (which printer, copies, pages). True
    // when the user goes on.
    virtual bool printDialog(QPrinter& printer) = 0;
};

// Goes on without asking.
class NoPrintDialogs : public PrintDialogs {
public:
    bool preview(QPrinter&, const QString&, const std::function<void(QPrinter&)>&) override { return true; }
    bool printDialog(QPrinter&) override { return true; }
};

// Qt's print preview (QPrintPreviewDialog) and print dialog (QPrintDialog), over the window the user
// works in. The preview opens where it was left last time.
class QtPrintDialogs : public PrintDialogs {
public:
    explicit QtPrintDialogs(AppState& state) : state_(state) {}
    bool preview(QPrinter& printer, const QString& title, const std::function<void(QPrinter&)>& paint) override;
    bool printDialog(QPrinter& printer) override;

private:
    AppState& state_;
};

} // namespace tandemx
