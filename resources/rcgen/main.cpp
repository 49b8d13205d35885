// tintora_rcgen SCRIPT.rc OUTPUT.cpp [DEPFILE]: turns a module's resource
// script into a C++ source holding the same templates and images, for
// platforms without a resource compiler.

#include <fstream>
#include <iostream>
#include <sstream>

#include "resources/rcgen/rc_emit.h"
#include "resources/rcgen/rc_script.h"

namespace {

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw rcgen::ScriptError(file.string() + ": cannot read the script");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes to a temporary file first so that a failed run leaves no half source.
void WriteFile(const std::filesystem::path& file, const std::string& content) {
    const auto temporary = std::filesystem::path(file.string() + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary);
        out << content;
        if (!out.flush()) throw rcgen::ScriptError(file.string() + ": cannot write");
    }
    std::filesystem::rename(temporary, file);
}

std::string DepfileText(const std::filesystem::path& output, const std::vector<std::filesystem::path>& inputs) {
    std::string text = output.string() + ":";
    for (const auto& input : inputs) {
        std::string escaped;
        for (const char c : input.string()) {
            if (c == ' ') escaped += '\\';
            escaped += c;
        }
        text += " \\\n  " + escaped;
    }
    return text + "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: tintora_rcgen SCRIPT.rc OUTPUT.cpp [DEPFILE]\n";
        return 2;
    }
    try {
        const std::filesystem::path script = argv[1];
        const std::filesystem::path output = argv[2];
        std::vector<std::filesystem::path> inputs{script};
        const auto parsed = rcgen::ParseScript(ReadText(script), script.filename().string());
        std::ostringstream source;
        rcgen::EmitSource(parsed, script.parent_path(), script.filename().string(), source, inputs);
        WriteFile(output, source.str());
        if (argc == 4) WriteFile(argv[3], DepfileText(output, inputs));
    } catch (const std::exception& error) {
        std::cerr << "tintora_rcgen: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
