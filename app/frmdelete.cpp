#include "app/frmdelete.h"

#include "platform/rounding.h"
#include "session/cleanup.h"
#include "session/messages.h"
#include "ui_frmdelete.h"

#include <QPainter>

#include <algorithm>
#include <utility>

// The window icon lives in a static library, whose resources are not registered on
// their own; this must stand outside any namespace.
static void initTavloResources()
{
    Q_INIT_RESOURCE(tavlo);
}

namespace tavlo {

namespace {

const QString newline = QStringLiteral("\r\n");

QString aboutText()
{
    return QStringLiteral("  Tavlo can be uninstalled via the package manager...") + newline +
           QStringLiteral("that is, with your system's \"Add/Remove Software.\"") + newline +
           newline + QStringLiteral("However,") + newline + newline +
           QStringLiteral("     The package manager does not remove the settings files that "
                          "Tavlo keeps in your home folder.") +
           newline + newline +
           QStringLiteral("To clear ALL Tavlo registry information prior to uninstall, click "
                          "the button below. This will not effect uninstall ability, but your "
                          "settings will be pristine (in relation to this program, anyway.)");
}

// The four white lines over the gradient, in twips: x1, y1, x2, y2.
constexpr int whiteLines[4][4] = {
    {80, 260, 8100, 260},
    {250, 100, 250, 3200},
    {6000, 3200, 8100, 3200},
    {8100, 2500, 8100, 3215},
};

int component(double value)
{
    return std::clamp(roundToInt(value), 0, 255);
}

} // namespace

QList<QColor> gradLineColours(double clientWidth, double curR, double curG, double curB)
{
    const int lastX = roundToInt(clientWidth);
    QList<QColor> colours;
    if (lastX < gradStartX)
        return colours;
    // The steps span the whole width but start at gradStartX, so the right edge stops
    // short of RGB(0, 155, 255).
    const double stepR = (0 - curR) / clientWidth;
    const double stepG = (155 - curG) / clientWidth;
    const double stepB = (255 - curB) / clientWidth;
    colours.reserve(lastX - gradStartX + 1);
    for (int x = gradStartX; x <= lastX; ++x) {
        colours.append(QColor(component(curR), component(curG), component(curB)));
        curR += stepR;
        curG += stepG;
        curB += stepB;
    }
    return colours;
}

frmDelete::frmDelete(QWidget* owner, KeyStore& store, AssociationFolders folders, Prompts& prompts)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint |
                         Qt::WindowStaysOnTopHint)
    , m_ui(std::make_unique<Ui::frmDelete>())
    , m_store(store)
    , m_folders(std::move(folders))
    , m_prompts(prompts)
{
    initTavloResources();
    m_ui->setupUi(this);
    setFixedSize(size());
    m_ui->lblAbout->setText(aboutText().replace(newline, QStringLiteral("\n")));
    connect(m_ui->cmdClearReg, &QPushButton::clicked, this, &frmDelete::cmdClearReg_Click);
}

frmDelete::~frmDelete() = default;

void frmDelete::placeBesideOwner()
{
    QWidget* owner = parentWidget();
    if (!owner)
        return;
    // Nothing keeps the window on the screen when the owner is narrower and near the
    // left edge.
    const QRect main = owner->window()->frameGeometry();
    move(main.x() + main.width() - frameGeometry().width(), main.y());
}

void frmDelete::showEvent(QShowEvent* event)
{
    placeBesideOwner();
    QDialog::showEvent(event);
}

void frmDelete::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawGrad(painter, 0, 0, 0);
}

void frmDelete::DrawGrad(QPainter& painter, double curR, double curG, double curB) const
{
    const QList<QColor> colours = gradLineColours(width() * twipsPerPixel, curR, curG, curB);
    // Fifteen lines share a pixel column; the last one drawn there is the one seen.
    for (qsizetype i = 0; i < colours.size(); ++i) {
        const int column = twipsToPixels(gradStartX + i);
        if (i + 1 < colours.size() && twipsToPixels(gradStartX + i + 1) == column)
            continue;
        painter.fillRect(column, 0, 1, height(), colours[i]);
    }
    for (const auto& line : whiteLines) {
        const QPoint from(twipsToPixels(line[0]), twipsToPixels(line[1]));
        const QPoint to(twipsToPixels(line[2]), twipsToPixels(line[3]));
        painter.fillRect(QRect(from, to), Qt::white);
    }
}

void frmDelete::cmdClearReg_Click()
{
    if (tell(m_prompts, {Message::ClearRegistry, {}})) {
        const CleanupResult result = clearTavloEntries(m_store, m_folders);
        if (result.cleared())
            tell(m_prompts, {Message::RegistryCleared, {}});
        else
            tell(m_prompts, {Message::RegistryNotCleared, {result.notRemoved.join(newline)}});
    }
    close();
}

void frmDelete::done(int result)
{
    QDialog::done(result);
    // Hidden by now, so changing the flag does not show the window again.
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    if (QWidget* owner = parentWidget())
        owner->window()->activateWindow();
}

} // namespace tavlo
