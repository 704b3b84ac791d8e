#include "app/arguments.h"

#include <algorithm>

namespace tw::app {

namespace {

// The options an argument may name: the subcommand's once it is known,
// before it those of every subcommand.
std::vector<const Option *> candidates(
    std::span<const Subcommand> subcommands, const Subcommand *subcommand) {
    std::vector<const Option *> out;
    const auto add = [&](const Subcommand &s) {
        for (const Option &o : s.options) {
            const bool known = std::any_of(
                out.begin(), out.end(), [&](const Option *seen) { return seen->name == o.name; });
            if (!known) {
                out.push_back(&o);
            }
        }
    };
    if (subcommand != nullptr) {
        add(*subcommand);
    } else {
        for (const Subcommand &s : subcommands) {
            add(s);
        }
    }
    return out;
}

const Option helpOption { "help", 'h', "", "" };
const Option versionOption { "version", 0, "", "" };

// A long option by its name or a unique prefix of it; nullptr with `error`
// set when none or several match.
const Option *findLong(const std::vector<const Option *> &options, std::string_view name,
    const std::string &context, std::string &error) {
    std::vector<const Option *> all = options;
    all.push_back(&helpOption);
    all.push_back(&versionOption);
    for (const Option *o : all) {
        if (o->name == name) {
            return o;
        }
    }
    std::vector<const Option *> matches;
    if (!name.empty()) {
        for (const Option *o : all) {
            if (o->name.substr(0, name.size()) == name) {
                matches.push_back(o);
            }
        }
    }
    if (matches.size() == 1) {
        return matches.front();
    }
    if (matches.empty()) {
        error = "unknown option \"--" + std::string(name) + "\"" + context;
        return nullptr;
    }
    error = "option \"--" + std::string(name) + "\" is ambiguous:";
    for (const Option *o : matches) {
        error += " --" + std::string(o->name);
    }
    return nullptr;
}

const Option *findShort(const std::vector<const Option *> &options, char letter) {
    if (letter == helpOption.letter) {
        return &helpOption;
    }
    for (const Option *o : options) {
        if (o->letter != 0 && o->letter == letter) {
            return o;
        }
    }
    return nullptr;
}

std::string displayName(const Option &o) {
    return "--" + std::string(o.name);
}

bool belongsTo(const Subcommand &s, std::string_view name) {
    return std::any_of(
        s.options.begin(), s.options.end(), [&](const Option &o) { return o.name == name; });
}

} // namespace

bool parseArguments(const std::vector<std::string> &args, std::span<const Subcommand> subcommands,
    ParsedArguments &out, std::string &error) {
    out = ParsedArguments {};
    bool optionsEnded = false;
    // Options given before the subcommand, checked against it at the end.
    std::vector<std::string> early;
    const auto context = [&]() {
        return out.subcommand == nullptr ? std::string()
                                         : " for " + std::string(out.subcommand->name);
    };
    // Records an option and its value (from `attached`, else the next
    // argument); false with `error` set when a value is missing or unwanted.
    std::size_t i = 0;
    const auto take = [&](const Option &o, const std::string *attached) {
        if (&o == &helpOption) {
            out.help = true;
        } else if (&o == &versionOption) {
            out.version = true;
        }
        std::string value;
        if (o.value.empty()) {
            if (attached != nullptr) {
                error = "option " + displayName(o) + " takes no value";
                return false;
            }
        } else if (attached != nullptr) {
            value = *attached;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = "option " + displayName(o) + " needs a value (" + std::string(o.value) + ")";
            return false;
        }
        if (&o != &helpOption && &o != &versionOption) {
            out.options[std::string(o.name)] = value;
            if (out.subcommand == nullptr) {
                early.emplace_back(o.name);
            }
        }
        return true;
    };
    for (; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        const bool isOption = !optionsEnded && a.size() > 1 && a[0] == '-';
        if (!isOption) {
            if (out.subcommand == nullptr) {
                const auto found = std::find_if(subcommands.begin(), subcommands.end(),
                    [&](const Subcommand &s) { return s.name == a; });
                if (found == subcommands.end()) {
                    error = "unknown subcommand \"" + a + "\"";
                    return false;
                }
                out.subcommand = &*found;
                continue;
            }
            if (out.arguments.size() >= out.subcommand->maxArguments) {
                error = "unexpected argument \"" + a + "\"";
                return false;
            }
            out.arguments.push_back(a);
            continue;
        }
        const std::vector<const Option *> options = candidates(subcommands, out.subcommand);
        if (a.rfind("--", 0) == 0) {
            const std::size_t eq = a.find('=');
            const std::string name = a.substr(2, eq == std::string::npos ? eq : eq - 2);
            const Option *o = findLong(options, name, context(), error);
            if (o == nullptr) {
                return false;
            }
            const std::string attached = eq == std::string::npos ? "" : a.substr(eq + 1);
            if (!take(*o, eq == std::string::npos ? nullptr : &attached)) {
                return false;
            }
            continue;
        }
        // "-abc": letters, the first that takes a value takes the rest.
        for (std::size_t k = 1; k < a.size(); ++k) {
            const Option *o = findShort(options, a[k]);
            if (o == nullptr) {
                error = "unknown option \"-" + std::string(1, a[k]) + "\"" + context();
                return false;
            }
            if (!o->value.empty() && k + 1 < a.size()) {
                const std::string attached = a.substr(k + 1);
                if (!take(*o, &attached)) {
                    return false;
                }
                break;
            }
            if (!take(*o, nullptr)) {
                return false;
            }
            if (!o->value.empty()) {
                break;
            }
        }
    }
    if (out.subcommand == nullptr) {
        if (!out.help && !out.version) {
            error = "missing subcommand";
            return false;
        }
        return true;
    }
    for (const std::string &name : early) {
        if (!belongsTo(*out.subcommand, name)) {
            error = "unknown option \"--" + name + "\"" + context();
            return false;
        }
    }
    return true;
}

std::string usageText(
    std::string_view program, std::string_view summary, std::span<const Subcommand> subcommands) {
    std::string text = std::string(summary) + "\n\nusage:\n";
    for (const Subcommand &s : subcommands) {
        text += "  " + std::string(program) + " " + std::string(s.name) + " [OPTION]...";
        if (!s.arguments.empty()) {
            text += " " + std::string(s.arguments);
        }
        text += "\n";
    }
    text += "  " + std::string(program) + " --help | --version\n\nsubcommands:\n";
    for (const Subcommand &s : subcommands) {
        text += "  " + std::string(s.name) + "\n      " + std::string(s.help) + "\n";
        std::string names;
        for (const Option &o : s.options) {
            names += (names.empty() ? "" : " ") + std::string("--") + std::string(o.name);
        }
        if (!names.empty()) {
            text += "      options: " + names + "\n";
        }
    }
    text += "\noptions (any unique prefix of a long option will do):\n";
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
