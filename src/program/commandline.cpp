#include "program/commandline.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zoltrek {

namespace {

// The toolkit's own options, which it takes from the command line itself: those that take a
// value (as the next argument or after "="), then those that stand alone. Written with one dash
// or two.
constexpr std::array<std::string_view, 14> kToolkitWithValue = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "title",         "name"};
constexpr std::array<std::string_view, 7> kToolkitAlone = {
    "reverse", "widgetcount", "nograb", "dograb", "sync", "testability", "qmljsdebugger"};

bool among(const auto& names, std::string_view name) {
    return std::ranges::find(names, name) != names.end();
}

}  // namespace

CommandLine readCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h")
            return {CommandLine::Help, {}};
        if (argument == "--version" || argument == "-v")
            return {CommandLine::Version, {}};
        std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
        const bool hasValue = name.find('=') != std::string_view::npos;
        name = name.substr(0, name.find('='));
        if (!argument.starts_with('-') || argument == "-" || argument == "--")
            return {CommandLine::Refuse, std::string(argument)};
        if (among(kToolkitWithValue, name) && !hasValue && i + 1 < argc)
            ++i;  // its value
        else if (!among(kToolkitWithValue, name) && !among(kToolkitAlone, name))
            return {CommandLine::Refuse, std::string(argument)};
    }
    return {};
}

std::string helpText() {
    return "Использование: zoltrek [--help | --version]\n"
           "Zoltrek Calculator ведёт журнал заправок одного автомобиля: дату, показания одометра,\n"
           "литры, цену литра и сумму, с пробегом и расходом от заправки до заправки.\n"
           "\n"
           "  -h, --help     показать эту справку и выйти\n"
           "  -v, --version  показать версию и выйти\n"
           "\n"
           "Журнал — файл zoltrek.dat: рядом с программой, если она запущена из своей папки\n"
           "или там уже есть журнал; у установленной программы — в папке данных пользователя\n"
           "($XDG_DATA_HOME/zoltrek, иначе ~/.local/share/zoltrek). Подробнее: man zoltrek.\n";
}

std::string versionText() {
    return "Zoltrek Calculator " ZOLTREK_VERSION "\n";
}

}  // namespace zoltrek
