#include "lv2/port_map.h"

#include <cctype>
#include <cmath>

namespace taluma::lv2 {

namespace {

bool shown(const ParameterDescription& row) {
    return !(row.flags & kHiddenReadOnly);
}

// The host-visible rows in the order the host lists them, found once.
struct PortRows {
    const ParameterDescription* rows[64] = {};
    int count = 0;
    PortRows() {
        int n = 0;
        const ParameterDescription* table = parameterDescriptions(n);
        for (int i = 0; i < n && count < 64; ++i)
            if (shown(table[i]))
                rows[count++] = &table[i];
    }
};

const PortRows& portRows() {
    static const PortRows rows;
    return rows;
}

}  // namespace

int controlPortCount() {
    return portRows().count;
}

const ParameterDescription& controlPortRow(int i) {
    return *portRows().rows[i];
}

int32_t controlPortOf(uint32_t id) {
    const PortRows& rows = portRows();
    for (int i = 0; i < rows.count; ++i)
        if (rows.rows[i]->id == id)
            return int32_t(kFirstControlPort) + i;
    return -1;
}

bool isEnabledPort(const ParameterDescription& row) {
    return row.flags & kBypassSwitch;
}

double portMinimum(const ParameterDescription& row) {
    return row.range ? row.plainMin : 0.0;
}

double portMaximum(const ParameterDescription& row) {
    return row.range ? row.plainMax : 1.0;
}

double portDefault(const ParameterDescription& row) {
    if (isEnabledPort(row))
        return 1.0 - row.defaultValue;
    return row.defaultValue;
}

bool isIntegerPort(const ParameterDescription& row) {
    return row.range && row.steps == int32_t(row.plainMax - row.plainMin);
}

std::string portSymbol(const ParameterDescription& row) {
    if (isEnabledPort(row))
        return "enabled";
    std::string symbol;
    for (const char* c = row.title; *c; ++c) {
        const unsigned char u = static_cast<unsigned char>(*c);
        if (std::isalnum(u))
            symbol += char(std::tolower(u));
        else if (!symbol.empty() && symbol.back() != '_')
            symbol += '_';
    }
    return symbol;
}

double normalizedFromPort(const ParameterDescription& row, float value) {
    const double low = portMinimum(row), high = portMaximum(row);
    double v = double(value);
    if (!(v >= low))  // below, or NaN
        v = low;
    if (v > high)
        v = high;
    const double normalized = (v - low) / (high - low);
    if (isEnabledPort(row))
        return normalized >= 0.5 ? 0.0 : 1.0;  // enabled plays: bypass off
    return normalized;
}

float portFromNormalized(const ParameterDescription& row, double normalized) {
    if (isEnabledPort(row))
        return normalized >= 0.5 ? 0.0f : 1.0f;
    return float(portMinimum(row) + normalized * (portMaximum(row) - portMinimum(row)));
}

}  // namespace taluma::lv2
