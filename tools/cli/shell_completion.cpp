#include "shell_completion.h"

#include <cstdio>
#include <vector>

namespace korvland::cli {

namespace {

struct OptionEntry {
    std::vector<std::string> names; // "-o", "--output"
    std::string description;
    bool takesValue = false;
    bool repeatable = false;
    bool fileValue = false;           // a file name
    std::vector<std::string> choices; // what the value may be, when the table names it
};

// The program itself has no name here; its options are those before a subcommand.
struct CommandEntry {
    std::string name;
    std::string description;
    std::vector<OptionEntry> options;
    bool takesFiles = false; // positional arguments
};

// The values an option's validators name: a set ("TEXT:{csv,json}") or a small range of
// whole numbers ("INT:INT in [0 - 4]").
std::vector<std::string> choicesOf(const CLI::Option& option) {
    const std::string type = option.get_type_name();
    std::vector<std::string> choices;
    const auto open = type.find('{');
    const auto close = type.find('}');
    if (open != std::string::npos && close != std::string::npos && close > open) {
        std::string_view set = std::string_view(type).substr(open + 1, close - open - 1);
        while (!set.empty()) {
            const auto comma = set.find(',', 1); // a comma first is a value of its own
            choices.emplace_back(set.substr(0, comma));
            set = comma == std::string_view::npos ? std::string_view() : set.substr(comma + 1);
        }
    } else if (const auto range = type.find(" in ["); range != std::string::npos) {
        int low = 0;
        int high = 0;
        if (std::sscanf(type.c_str() + range, " in [%d - %d]", &low, &high) == 2 && high - low <= 16)
            for (int value = low; value <= high; ++value)
                choices.push_back(std::to_string(value));
    }
    return choices;
}

CommandEntry entryOf(const CLI::App& command, bool isProgram) {
    CommandEntry entry{isProgram ? std::string() : command.get_name(), command.get_description(), {}, false};
    for (const CLI::Option* option : command.get_options()) {
        if (option->get_group().empty())
            continue;
        if (option->get_positional()) {
            entry.takesFiles = true;
            continue;
        }
        OptionEntry o;
        for (const std::string& name : option->get_snames())
            o.names.push_back("-" + name);
        for (const std::string& name : option->get_lnames())
            o.names.push_back("--" + name);
        o.description = option->get_description();
        o.takesValue = option->get_expected_max() > 0;
        o.repeatable = option->get_expected_max() > 1;
        o.fileValue = option->get_type_name().starts_with("FILE");
        o.choices = choicesOf(*option);
        entry.options.push_back(std::move(o));
    }
    return entry;
}

std::string joined(const std::vector<std::string>& words, const std::string& separator = " ") {
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : separator) + word;
    return text;
}

// The choices of an option, those the shell would take as its own syntax (";") escaped for
// the expansion the shell gives them.
std::vector<std::string> escapedChoices(const OptionEntry& option, const std::string& escape) {
    std::vector<std::string> choices;
    for (const std::string& choice : option.choices)
        choices.push_back(choice.find_first_of(";&|<>() ") == std::string::npos ? choice : escape + choice);
    return choices;
}

// Text in single quotes for a POSIX shell or zsh.
std::string singleQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// --- bash --------------------------------------------------------------------------------

std::string bashScript(const std::vector<CommandEntry>& commands) {
    const CommandEntry& program = commands.front();
    std::vector<std::string> firstWords;
    for (std::size_t k = 1; k < commands.size(); ++k)
        firstWords.push_back(commands[k].name);
    for (const OptionEntry& option : program.options)
        firstWords.insert(firstWords.end(), option.names.begin(), option.names.end());

    std::string script = "# bash completion for korvland-cli, made by korvland-cli from its option table\n"
                         "_korvland_cli()\n"
                         "{\n"
                         "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
                         "    local command= options= word\n"
                         "    for word in \"${COMP_WORDS[@]:1:COMP_CWORD-1}\"; do\n"
                         "        if [[ $word != -* ]]; then\n"
                         "            command=$word\n"
                         "            break\n"
                         "        fi\n"
                         "    done\n"
                         "    case $command in\n"
                         "    '')\n"
                         "        COMPREPLY=($(compgen -W " +
                         singleQuoted(joined(firstWords)) +
                         " -- \"$cur\"))\n"
                         "        return\n"
                         "        ;;\n";
    for (std::size_t k = 1; k < commands.size(); ++k) {
        const CommandEntry& command = commands[k];
        script += "    " + command.name + ")\n";
        std::string values;
        std::vector<std::string> names;
        for (const OptionEntry& option : command.options) {
            names.insert(names.end(), option.names.begin(), option.names.end());
            if (!option.takesValue)
                continue;
            values += "        " + joined(option.names, "|") + ")\n            ";
            // compgen expands the words once more: a value the shell would take as its own syntax
            // (";") is offered escaped.
            const std::vector<std::string> quoted = escapedChoices(option, "\\\\");
            values +=
                option.fileValue
                    ? "compopt -o filenames 2>/dev/null\n            COMPREPLY=($(compgen -f -- \"$cur\"))"
                    : "COMPREPLY=($(compgen -W " + singleQuoted(joined(quoted)) + " -- \"$cur\"))";
            values += "\n            return\n            ;;\n";
        }
        if (!values.empty())
            script += "        case $prev in\n" + values + "        esac\n";
        script += "        options=" + singleQuoted(joined(names)) + "\n        ;;\n";
    }
    script += "    *)\n"
              "        return\n"
              "        ;;\n"
              "    esac\n"
              "    if [[ $cur == -* ]]; then\n"
              "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
              "    else\n"
              "        compopt -o filenames 2>/dev/null\n"
              "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
              "    fi\n"
              "}\n"
              "complete -F _korvland_cli korvland-cli\n";
    return script;
}

// --- zsh ---------------------------------------------------------------------------------

// A description inside an _arguments option's brackets.
std::string zshDescription(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '[' || c == ']' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string zshOptionArguments(const CommandEntry& command, const std::string& indent) {
    std::string arguments;
    for (const OptionEntry& option : command.options) {
        std::string names = option.names.front();
        std::string exclusion;
        if (option.names.size() > 1) {
            names = "{" + joined(option.names, ",") + "}";
            exclusion = "(" + joined(option.names) + ")";
        }
        if (option.repeatable)
            exclusion = "*";
        std::string description = "[" + zshDescription(option.description) + "]";
        if (option.takesValue) {
            const std::vector<std::string> choices = escapedChoices(option, "\\");
            description += ":" + option.names.back().substr(option.names.back().find_first_not_of('-')) +
                           ":" +
                           (option.fileValue         ? "_files"
                            : option.choices.empty() ? " "
                                                     : "(" + joined(choices) + ")");
        }
        // Names in braces expand to one argument description each, outside the quotes.
        arguments += " \\\n" + indent +
                     (option.names.size() > 1 ? singleQuoted(exclusion) + names + singleQuoted(description)
                                              : singleQuoted(exclusion + names + description));
    }
    if (command.takesFiles)
        arguments += " \\\n" + indent + "'*:file:_files'";
    return arguments;
}

std::string zshScript(const std::vector<CommandEntry>& commands) {
    std::string script = "#compdef korvland-cli\n"
                         "# zsh completion for korvland-cli, made by korvland-cli from its option table\n"
                         "_korvland-cli() {\n"
                         "  local curcontext=$curcontext state line\n"
                         "  _arguments -C" +
                         zshOptionArguments(commands.front(), "    ") +
                         " \\\n"
                         "    '1:command:->command' \\\n"
                         "    '*::argument:->argument'\n"
                         "  case $state in\n"
                         "  command)\n"
                         "    local -a commands=(\n";
    for (std::size_t k = 1; k < commands.size(); ++k)
        script += "      " + singleQuoted(commands[k].name + ":" + commands[k].description) + "\n";
    script += "    )\n"
              "    _describe -t commands command commands\n"
              "    ;;\n"
              "  argument)\n"
              "    case $line[1] in\n";
    for (std::size_t k = 1; k < commands.size(); ++k)
        script += "    " + commands[k].name + ")\n      _arguments" +
                  zshOptionArguments(commands[k], "        ") + "\n      ;;\n";
    script += "    esac\n"
              "    ;;\n"
              "  esac\n"
              "}\n"
              "_korvland-cli \"$@\"\n";
    return script;
}

// --- fish --------------------------------------------------------------------------------

std::string fishQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "'";
}

std::string fishScript(const std::vector<CommandEntry>& commands) {
    const std::string complete = "complete -c korvland-cli -n ";
    std::string script = "# fish completion for korvland-cli, made by korvland-cli from its option table\n"
                         "complete -c korvland-cli -f\n";
    for (const CommandEntry& command : commands) {
        const std::string condition = command.name.empty()
                                          ? "__fish_use_subcommand"
                                          : fishQuoted("__fish_seen_subcommand_from " + command.name);
        if (!command.name.empty())
            script += complete + "__fish_use_subcommand -a " + command.name + " -d " +
                      fishQuoted(command.description) + "\n";
        if (command.takesFiles)
            script += complete + condition + " -F\n";
        for (const OptionEntry& option : command.options) {
            script += complete + condition;
            for (const std::string& name : option.names)
                script += (name.starts_with("--") ? " -l " + name.substr(2) : " -s " + name.substr(1));
            if (option.takesValue)
                script += option.fileValue ? " -r -F"
                          : option.choices.empty()
                              ? " -x"
                              : " -x -a " + fishQuoted(joined(escapedChoices(option, "\\")));
            script += " -d " + fishQuoted(option.description) + "\n";
        }
    }
    return script;
}

} // namespace

std::string completionScript(const CLI::App& app, std::string_view shell) {
    std::vector<CommandEntry> commands{entryOf(app, true)};
    for (const CLI::App* command : app.get_subcommands({}))
        commands.push_back(entryOf(*command, false));
    if (shell == "zsh")
        return zshScript(commands);
    if (shell == "fish")
        return fishScript(commands);
    return bashScript(commands);
}

} // namespace korvland::cli
