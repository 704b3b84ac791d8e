#include "app/arguments.h"

#include <algorithm>

namespace tw::app {

namespace {

const Option *findOption(const Subcommand &command, std::string_view name, char letter) {
    for (const Option &o : command.options) {
        if ((!name.empty() && o.name == name) || (letter != 0 && o.letter == letter)) {
            return &o;
        }
    }
    return nullptr;
}

std::string displayName(const Option &o) {
    return "--" + std::string(o.name);
}

} // namespace

bool parseArguments(const std::vector<std::string> &args, std::span<const Subcommand> subcommands,
    ParsedArguments &out, std::string &error) {
    out = ParsedArguments {};
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (!optionsEnded && (a == "--help" || a == "-h")) {
            out.help = true;
            continue;
        }
        if (!optionsEnded && a == "--version") {
            out.version = true;
            continue;
        }
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        const bool looksLikeOption = !optionsEnded && a.size() > 1 && a[0] == '-';
        if (out.subcommand == nullptr) {
            if (looksLikeOption) {
                error = "option \"" + a + "\" before the subcommand";
                return false;
            }
            const auto found = std::find_if(subcommands.begin(), subcommands.end(),
                [&](const Subcommand &s) { return s.name == a; });
            if (found == subcommands.end()) {
                error = "unknown subcommand \"" + a + "\"";
                return false;
            }
            out.subcommand = &*found;
            continue;
        }
        if (!looksLikeOption) {
            if (out.arguments.size() >= out.subcommand->maxArguments) {
                error = "unexpected argument \"" + a + "\"";
                return false;
            }
            out.arguments.push_back(a);
            continue;
        }
        // "--name[=value]" or "-n".
        const bool isLong = a.rfind("--", 0) == 0;
        const std::size_t eq = isLong ? a.find('=') : std::string::npos;
        const std::string name = isLong ? a.substr(2, eq == std::string::npos ? eq : eq - 2) : "";
        const Option *option = isLong
            ? findOption(*out.subcommand, name, 0)
            : (a.size() == 2 ? findOption(*out.subcommand, {}, a[1]) : nullptr);
        if (option == nullptr) {
            error = "unknown option \"" + (isLong ? "--" + name : a) + "\" for "
                + std::string(out.subcommand->name);
            return false;
        }
        std::string value;
        if (option->value.empty()) {
            if (eq != std::string::npos) {
                error = "option " + displayName(*option) + " takes no value";
                return false;
            }
        } else if (eq != std::string::npos) {
            value = a.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = "option " + displayName(*option) + " needs a value ("
                + std::string(option->value) + ")";
            return false;
        }
        out.options[std::string(option->name)] = value;
    }
    if (out.subcommand == nullptr && !out.help && !out.version) {
        error = "missing subcommand";
        return false;
    }
    return true;
}

std::string usageText(
    std::string_view program, std::string_view summary, std::span<const Subcommand> subcommands) {
    std::string text = std::string(summary) + "\n\nusage:\n";
    for (const Subcommand &s : subcommands) {
        text += "  " + std::string(program) + " " + std::string(s.name);
        for (const Option &o : s.options) {
            text += " [--" + std::string(o.name)
                + (o.value.empty() ? "" : " " + std::string(o.value)) + "]";
        }
        if (!s.arguments.empty()) {
            text += " " + std::string(s.arguments);
        }
        text += "\n";
    }
    text += "  " + std::string(program) + " --help | --version\n\nsubcommands:\n";
    for (const Subcommand &s : subcommands) {
        text += "  " + std::string(s.name) + "\n      " + std::string(s.help) + "\n";
    }
    text += "\noptions:\n";
    std::vector<std::string_view> shown;
    for (const Subcommand &s : subcommands) {
        for (const Option &o : s.options) {
            if (std::find(shown.begin(), shown.end(), o.name) != shown.end()) {
                continue;
            }
            shown.push_back(o.name);
            std::string head = "  ";
            if (o.letter != 0) {
                head += std::string("-") + o.letter + ", ";
            }
            head += "--" + std::string(o.name);
            if (!o.value.empty()) {
                head += " " + std::string(o.value);
            }
            text += head + "\n      " + std::string(o.help) + "\n";
        }
    }
    text += "  -h, --help\n      print this text and exit\n  --version\n      print the version "
            "and exit\n";
    return text;
}

} // namespace tw::app
