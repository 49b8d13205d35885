#include "apps/tintora/command_line_check.h"

#include <algorithm>

#include "apps/tintora/errors.h"
#include "apps/tintora/names.h"

namespace tintora_cli {

namespace {

std::vector<std::string> CommandNames(const CLI::App& command) {
    std::vector<std::string> names;
    for (const CLI::App* sub : command.get_subcommands({})) names.push_back(sub->get_name());
    return names;
}

bool HasCommands(const CLI::App& command) { return !command.get_subcommands({}).empty(); }

// Options of `command` and of the commands above it: options fall through to
// the command that defines them.
std::vector<std::string> LongOptions(const CLI::App& command) {
    std::vector<std::string> names;
    for (const CLI::App* level = &command; level; level = level->get_parent())
        for (const CLI::Option* option : level->get_options())
            if (!option->get_lnames().empty()) {
                const std::string name = "--" + option->get_lnames().front();
                if (std::ranges::find(names, name) == names.end()) names.push_back(name);
            }
    return names;
}

std::string CommandPath(const CLI::App& command) {
    std::string path;
    for (const CLI::App* level = &command; level; level = level->get_parent())
        path = level->get_name() + (path.empty() ? "" : " " + path);
    return path;
}

void CheckOption(const CLI::App& command, const std::string& word) {
    const std::string name = word.substr(0, word.find('='));
    const std::vector<std::string> options = LongOptions(command);
    if (std::ranges::find(options, name) != options.end()) return;
    std::string message = UnknownNameMessage("option", name, options);
    const std::size_t afterName = message.find('"', message.find('"') + 1) + 1;
    message.insert(afterName, " for " + CommandPath(command));
    throw UsageError(message);
}

}  // namespace

void CheckCommandLine(const CLI::App& app, const std::vector<std::string>& args) {
    const CLI::App* current = &app;
    bool help = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--") break;
        if (word == "-h" || word == "--help") help = true;
        if (word.starts_with("--")) {
            CheckOption(*current, word);
            if (word == "--plugins") ++i;  // its value may look like anything
            continue;
        }
        if (word.starts_with("-") || !HasCommands(*current)) continue;
        const std::vector<std::string> names = CommandNames(*current);
        if (std::ranges::find(names, word) == names.end())
            throw UsageError(UnknownNameMessage("command", word, names));
        current = current->get_subcommand(word);
    }
    if (HasCommands(*current) && !help) {
        std::string list;
        for (const std::string& name : CommandNames(*current)) list += (list.empty() ? "" : ", ") + name;
        throw UsageError("missing command; commands: " + list);
    }
}

}  // namespace tintora_cli
