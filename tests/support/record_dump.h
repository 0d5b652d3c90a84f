// A text dump of every field of every record of analysed modules, so that two
// analyses of the same sources can be compared for identical results.
#pragma once

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "database/records.h"

namespace corvane::test {

namespace dump_detail {

inline void tokens(std::ostringstream& out, const char* what, const std::vector<FormulaToken>& list) {
    out << "   " << what << ' ' << list.size() << ':';
    for (const FormulaToken& t : list) {
        out << " [" << t.text << '|' << t.displayText << '|' << t.op << '|' << t.strength << '|'
            << t.line << ']';
    }
    out << '\n';
}

inline void pins(std::ostringstream& out, const char* what, const std::vector<Pin>& list) {
    for (const Pin& p : list) {
        out << "   " << what << ' ' << p.name << '|' << p.displayName << '|' << p.direction << '|'
            << p.msb << '|' << p.lsb << '|' << p.comment << '|' << p.line << '|' << p.x << ','
            << p.y << ',' << p.width << ',' << p.height << '\n';
    }
}

inline void statements(std::ostringstream& out, const std::vector<Statement>& list) {
    for (const Statement& s : list) {
        out << "  statement " << s.target << '|' << s.targetDisplay << '|' << s.value << '|'
            << s.valueDisplay << '|' << s.line << '|' << s.comment << '\n';
        tokens(out, "value", s.valueTokens);
        tokens(out, "target", s.targetTokens);
    }
}

template <typename Map>
void stringMap(std::ostringstream& out, const char* what, const Map& map) {
    for (const auto& [key, value] : map) out << ' ' << what << ' ' << key << '=' << value << '\n';
}

}  // namespace dump_detail

// Every field of `module`, one record per line (token lists on their own lines).
inline std::string recordDump(const Module& m) {
    using namespace dump_detail;
    std::ostringstream out;
    out << "module " << m.name << '|' << m.displayName << " language " << m.language << " file "
        << m.filePath << " chars " << m.charCount << " lines " << m.lineCount << " schematic "
        << m.schematicPath << '\n';
    pins(out, "pin", m.pins);
    for (const Wire& w : m.wires) {
        out << " wire " << w.name << '|' << w.displayName << '|' << w.msb << '|' << w.lsb << '|'
            << w.comment << '|' << w.line << '\n';
    }
    for (const Reg& r : m.regs) {
        out << " reg " << r.name << '|' << r.displayName << '|' << r.msb << '|' << r.lsb << '|'
            << r.comment << '|' << r.line << '\n';
    }
    for (const Assign& a : m.assigns) {
        out << " assign " << a.name << '|' << a.displayName << '|' << a.expression << '|'
            << a.comment << '|' << a.line << '\n';
        tokens(out, "rhs", a.rhsTokens);
        tokens(out, "lhs", a.lhsTokens);
        pins(out, "port", a.ports);
    }
    for (const Child& c : m.children) {
        out << " child " << c.moduleName << '|' << c.moduleDisplayName << '|' << c.name << '|'
            << c.displayName << '|' << c.line << '|' << c.viewParam << '\n';
        for (const Connection& k : c.connections) {
            out << "   connection " << k.port << '|' << k.portDisplay << '|' << k.signal << '|'
                << k.signalDisplay << '|' << k.flags << '\n';
        }
        for (const ParamOverride& o : c.overrides) {
            out << "   override " << o.name << '|' << o.displayName << '|' << o.value << '\n';
        }
        pins(out, "port", c.ports);
    }
    for (const Always& a : m.alwaysBlocks) {
        out << " always " << a.line << '\n';
        for (const Sensitivity& s : a.sensitivity) {
            out << "   sensitivity " << s.name << '|' << s.displayName << '|' << s.edge << '\n';
        }
        statements(out, a.statements);
        pins(out, "port", a.ports);
    }
    for (const Initial& i : m.initialBlocks) {
        out << " initial " << i.line << '\n';
        statements(out, i.statements);
        pins(out, "port", i.ports);
    }
    for (const VhdlType& t : m.vhdlTypes) {
        out << " type " << t.name << '|' << t.msb << '|' << t.lsb << '\n';
    }
    stringMap(out, "generic", m.generics);
    stringMap(out, "define", m.defines);
    stringMap(out, "parameter", m.parameters);
    for (const auto& [name, net] : m.nets) {
        out << " net " << name << " route " << net.route.size() << '\n';
        for (const Terminal& t : net.terminals) {
            out << "   terminal " << t.kind << ',' << t.index << ',' << t.portIndex << ','
                << t.role << ',' << t.msb << ',' << t.lsb << ',' << t.line << '\n';
        }
    }
    return out.str();
}

}  // namespace corvane::test
