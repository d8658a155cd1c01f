#include "platform/common/qtwindowoptions.h"

#include <QCommandLineParser>

namespace {
struct QtOption
{
    const char *name;
    const char *valueName; // null for a switch
    const char *description;
};

const QtOption QtOptions[] = {
    {"platform", "name", "Window system plugin to use (for example xcb, wayland, offscreen)."},
    {"platformpluginpath", "path", "Where to look for window system plugins."},
    {"platformtheme", "theme", "Platform theme to use."},
    {"plugin", "plugin", "Additional input plugin to load."},
    {"display", "display", "X display to use (for example :1)."},
    {"geometry", "geometry", "Geometry of the main window."},
    {"qwindowgeometry", "geometry", "Geometry of the main window."},
    {"qwindowicon", "icon", "Icon of the main window."},
    {"qwindowtitle", "title", "Title of the main window."},
    {"session", "session", "Session to restore."},
    {"style", "style", "Widget style (for example fusion)."},
    {"stylesheet", "file", "Style sheet to apply."},
    {"reverse", nullptr, "Lay windows out right to left."},
    {"widgetcount", nullptr, "Print the number of widgets left at exit."},
};

} // namespace

void addQtWindowOptions(QCommandLineParser &parser, bool listed)
{
    for (const QtOption &q : QtOptions) {
        QCommandLineOption option(QString::fromLatin1(q.name), QString::fromLatin1(q.description));
        if (q.valueName)
            option.setValueName(QString::fromLatin1(q.valueName));
        if (!listed)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}
