// SPDX-License-Identifier: MIT
#include "TViewDlg.h"

#include "PrintDialogChooser.h"
#include "common/ScreenPlacement.h"
#include "keymodel/KeyGrid.h"
#include "layoutview/LayoutView.h"

#include <QAction>
#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

namespace {

// The window's size as designed for a 96 dpi desktop, given here to its inside: the frame
// around it is the desktop's to choose.
constexpr QSize DesignedSize(480, 360);
constexpr int DesignedDpi = 96;

// The toolkit says nothing about why a job failed to start or finish, so these texts say what
// it does tell: which printer it was and at which step.
QString printerDescription(const QPrinter &printer)
{
    if (!printer.printerName().isEmpty())
        return printer.printerName();
    return printer.outputFileName();
}

QString startFailure(const QPrinter &printer)
{
    const QString name = printerDescription(printer);
    if (name.isEmpty())
        return QCoreApplication::translate("TViewDlg", "There is no printer installed.");
    return QCoreApplication::translate("TViewDlg",
                                       "The printer \"%1\" could not start the print job.")
        .arg(name);
}

QString finishFailure(const QPrinter &printer)
{
    return QCoreApplication::translate("TViewDlg",
                                       "The printer \"%1\" could not finish the print job.")
        .arg(printerDescription(printer));
}

QString printPage(QPrinter &printer, const KeyGrid &grid, const QPalette &palette)
{
    printer.setDocName(QString());
    // The layout starts at the corner of what the printer can print, not further in by the
    // toolkit's default margins: its own minimum margins, for the paper chosen.
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
    QPainter page;
    if (!page.begin(&printer))
        return startFailure(printer);
    LayoutView::DrawLayout(page, grid, palette);
    if (!page.end() || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted)
        return finishFailure(printer);
    return QString();
}

} // namespace

TViewDlg::TViewDlg(const KeyGrid &grid, QWidget *dialogParent)
    : QWidget(nullptr, Qt::Window), m_grid(grid),
      m_chooser(std::make_unique<PrintDialogChooser>(dialogParent))
{
    setObjectName(QStringLiteral("TViewDlg"));
    setWindowTitle(tr("KeyView"));
    // A side window: closing the main window ends the program even while this one is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    const qreal scale = screen() ? screen()->logicalDotsPerInchY() / DesignedDpi : 1.0;
    resize(DesignedSize * scale);
    // The view follows the grid at once rather than at the next repaint the window system asks
    // for.
    connect(&m_grid, &KeyGrid::cellsChanged, this, qOverload<>(&QWidget::update));
    // Escape puts the view away, as it does a dialog.
    auto *hide = new QAction(this);
    hide->setShortcut(Qt::Key_Escape);
    connect(hide, &QAction::triggered, this, &QWidget::close);
    addAction(hide);
}

TViewDlg::~TViewDlg() = default;

void TViewDlg::setPrintChooser(std::unique_ptr<PrintChooser> chooser)
{
    m_chooser = std::move(chooser);
}

void TViewDlg::showView()
{
    if (!m_placed) {
        centreOnScreen(*this);
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

QString TViewDlg::PrintLayout()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!m_chooser->choosePrinter(*m_printer))
        return QString();
    return printPage(*m_printer, m_grid, palette());
}

void TViewDlg::paintEvent(QPaintEvent *)
{
    QPainter canvas(this);
    LayoutView::DrawLayout(canvas, m_grid, palette());
}
