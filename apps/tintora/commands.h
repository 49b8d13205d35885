#pragma once

// The tintora commands. Each adds itself to the program's command line; its
// callback does the work and throws UsageError or WorkError when it cannot.

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "apps/tintora/map_spec.h"
#include "apps/tintora/values.h"

namespace tintora_cli {

/// Options that every command understands.
struct GlobalOptions {
    std::string plugins;
};

void AddInfoCommand(CLI::App& app, const GlobalOptions& global);
void AddEvalCommand(CLI::App& app, const GlobalOptions& global);
void AddApplyCommand(CLI::App& app, const GlobalOptions& global);
void AddRenderCommand(CLI::App& app, const GlobalOptions& global);
void AddSceneCommand(CLI::App& app, const GlobalOptions& global);

/// The texts of repeated --set and --map options, parsed together.
struct TextureEdits {
    std::vector<std::string> sets;
    std::vector<std::string> maps;
    std::vector<Setting> Settings() const;
    std::vector<MapAssignment> Maps() const;
};
/// Adds --set NAME=VALUE and --map SLOT=SPEC to a command.
void AddEditOptions(CLI::App& command, TextureEdits& edits);

}  // namespace tintora_cli

namespace tintora_cli {

// The three scene commands, added under `tintora scene`.
void AddSceneNewCommand(CLI::App& scene, const GlobalOptions& global);
void AddSceneSetCommand(CLI::App& scene, const GlobalOptions& global);
void AddSceneShowCommand(CLI::App& scene, const GlobalOptions& global);

}  // namespace tintora_cli
