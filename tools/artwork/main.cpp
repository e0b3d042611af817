// Draws every picture of the program. Usage: tavlo-artwork <repo root> <scratch folder> [names]
// GIF pictures are written as PNG into the scratch folder; make.sh converts them.
#include "paint.h"
#include "pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <utility>
#include <vector>

using namespace tavlo;

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        QTextStream(stderr) << "usage: tavlo-artwork <repo root> <scratch folder> [names]\n";
        return 2;
    }
    const QString images = args[1] + "/resources/images/";
    const QString examples = args[1] + "/examples/";
    const QString scratch = args[2] + "/";
    const QString icons = images + "icons/";
    QDir().mkpath(icons);
    QDir().mkpath(examples);
    QDir().mkpath(scratch);
    const QStringList only = args.mid(3);

    using Job = std::pair<QString, std::function<void()>>;
    const auto png = [&](const QString& file, std::function<QImage()> draw) {
        return Job(file, [=] { savePng(draw(), images + file); });
    };
    const std::vector<Job> jobs = {
        {"harbour", [&] { savePng(drawHarbour(), scratch + "harbour.png"); }},
        {"townmap", [&] { saveJpeg(drawTownMap(), examples + "townmap.jpg", 85); }},
        {"floorplan", [&] { savePng(drawFloorPlan(), scratch + "floorplan.png"); }},
        png("splash.png", drawSplash),
        png("cmdsquare.png", [] { return drawToolButton(Tool::Square); }),
        png("cmdcircle.png", [] { return drawToolButton(Tool::Circle); }),
        png("cmdpoly.png", [] { return drawToolButton(Tool::Poly); }),
        png("cmdmake.png", [] { return drawToolButton(Tool::Make); }),
        png("cmdclose.png", [] { return drawToolButton(Tool::Close); }),
        png("enter_up.png", [] { return drawAreaButton(AreaButton::Enter, false); }),
        png("enter_down.png", [] { return drawAreaButton(AreaButton::Enter, true); }),
        png("cancel_up.png", [] { return drawAreaButton(AreaButton::Cancel, false); }),
        png("cancel_down.png", [] { return drawAreaButton(AreaButton::Cancel, true); }),
        png("delete_up.png", [] { return drawAreaButton(AreaButton::Delete, false); }),
        png("delete_down.png", [] { return drawAreaButton(AreaButton::Delete, true); }),
        png("endback.png", drawEndBack),
        png("banner_right.png", [] { return drawBanner(true); }),
        png("banner_left.png", [] { return drawBanner(false); }),
        png("rlist.png", drawRightList),
        png("llist.png", drawLeftList),
        png("field_href.png", [] { return drawField(false); }),
        png("field_target.png", [] { return drawField(true); }),
        png("header_f.png", [] { return drawHeader(Header::Functions); }),
        png("header_r.png", [] { return drawHeader(Header::Right); }),
        png("header_l.png", [] { return drawHeader(Header::Left); }),
        {"icons",
         [&] {
             // The application icon in the hicolor theme's sizes, and as SVG.
             for (const int size : {16, 32, 48, 64, 128, 256})
                 savePng(drawAppIcon(size), icons + QString("tavlo-%1.png").arg(size));
             saveAppIconSvg(icons + "tavlo.svg");
         }},
    };
    for (const auto& [name, run] : jobs) {
        if (only.isEmpty() || only.contains(name) ||
            only.contains(QString(name).section('.', 0, 0)))
            run();
    }
    return checkListBands() ? 0 : 1;
}
