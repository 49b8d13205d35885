// tintora: the command line of the Tintora colour-correction texture.
// Exit codes: 0 success, 1 the work failed, 2 a usage error.

#include <iostream>

#include "apps/tintora/command_line_check.h"
#include "apps/tintora/commands.h"
#include "apps/tintora/errors.h"

namespace tintora_cli {

namespace {

std::string OneLine(std::string text) {
    while (!text.empty() && text.back() == '\n') text.pop_back();
    for (char& c : text)
        if (c == '\n') c = ' ';
    return text;
}

// Help ends with its examples; a final newline keeps the prompt off them.
void EndFootersWithNewline(CLI::App& app) {
    if (!app.get_footer().empty()) app.footer(app.get_footer() + "\n");
    for (CLI::App* command : app.get_subcommands({})) EndFootersWithNewline(*command);
}

int Run(int argc, char** argv) {
    CLI::App app("tintora: colour-correct colours, images and scenes with the Tintora texture", "tintora");
    app.fallthrough();  // --plugins may follow the command too
    app.require_subcommand(1);
    GlobalOptions global;
    app.add_option("--plugins", global.plugins,
                   "Folder of plug-in modules (default: TINTORA_PLUGIN_PATH, else plugins beside bin/)")
        ->type_name("DIR");
    app.footer(
        "Exit codes: 0 success, 1 the work failed, 2 a usage error.\n\n"
        "Examples:\n"
        "  tintora info\n"
        "  tintora eval --color 1,1,1 --set invert=on\n"
        "  tintora apply photo.png shifted.png --set hue_offset=90\n"
        "  tintora scene new look.tnts --set sat_gain=150\n"
        "  tintora render look.tnts look.png --size 256x256\n"
        "Run tintora COMMAND --help for a command's options.");
    AddInfoCommand(app, global);
    AddEvalCommand(app, global);
    AddApplyCommand(app, global);
    AddRenderCommand(app, global);
    AddSceneCommand(app, global);
    EndFootersWithNewline(app);

    try {
        CheckCommandLine(app, std::vector<std::string>(argv + 1, argv + argc));
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForAllHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        std::cerr << "tintora: " << OneLine(error.what()) << " (see tintora --help)\n";
        return EXIT_USAGE;
    } catch (const UsageError& error) {
        std::cerr << "tintora: " << error.what() << '\n';
        return EXIT_USAGE;
    } catch (const WorkError& error) {
        std::cerr << "tintora: " << error.what() << '\n';
        return EXIT_WORK_FAILED;
    } catch (const std::exception& error) {
        std::cerr << "tintora: " << error.what() << '\n';
        return EXIT_WORK_FAILED;
    }
    return 0;
}

}  // namespace

}  // namespace tintora_cli

int main(int argc, char** argv) { return tintora_cli::Run(argc, argv); }
