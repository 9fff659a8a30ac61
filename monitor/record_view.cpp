#include "record_view.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

void appendCodePoint(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string number(float value) {
    if (std::isnan(value)) return "\"nan\"";
    if (std::isinf(value)) return value > 0 ? "\"inf\"" : "\"-inf\"";
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

std::string jsonString(const std::string& utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string jsonVector(const float* v) {
    std::string json = "[";
    for (int i = 0; i < 3; ++i) {
        if (i > 0) json += ',';
        json += number(v[i]);
    }
    json += ']';
    return json;
}

std::string textVector(const float* v) {
    char text[96];
    std::snprintf(text, sizeof text, "(%10.3f, %10.3f, %10.3f)", static_cast<double>(v[0]),
                  static_cast<double>(v[1]), static_cast<double>(v[2]));
    return text;
}

bool finite(const float* v) { return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); }

bool isUp(const float* v) { return v[0] == 0.0f && v[1] == 1.0f && v[2] == 0.0f; }

bool hasLengthZero(const float* v) {
    return std::sqrt(double{v[0]} * v[0] + double{v[1]} * v[1] + double{v[2]} * v[2]) < 1e-6;
}

std::string contextHex(const LinkRecord& record) {
    std::string hex;
    const std::size_t count = contextByteCount(record);
    for (std::size_t i = 0; i < count; ++i) {
        char byte[3];
        std::snprintf(byte, sizeof byte, "%02x", record.context[i]);
        hex += byte;
    }
    return hex;
}

std::string contextText(const LinkRecord& record) {
    Utf16Unit units[LINK_CONTEXT_CAPACITY / 2];
    const std::size_t count = contextByteCount(record) / 2;
    for (std::size_t i = 0; i < count; ++i)
        units[i] = static_cast<Utf16Unit>(record.context[2 * i] | record.context[2 * i + 1] << 8);
    return utf16ToUtf8(units, count);
}

}  // namespace

bool recordIsBlank(const LinkRecord& record) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i)
        if (bytes[i] != 0) return false;
    return true;
}

std::string utf16ToUtf8(const Utf16Unit* units, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count && units[i] != 0; ++i) {
        const unsigned long unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            appendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendCodePoint(out, 0xFFFD);
        } else {
            appendCodePoint(out, unit);
        }
    }
    return out;
}

std::size_t contextByteCount(const LinkRecord& record) {
    return record.context_len < LINK_CONTEXT_CAPACITY ? record.context_len : LINK_CONTEXT_CAPACITY;
}

std::vector<std::string> recordWarnings(const LinkRecord& record, double secondsSinceTickMoved,
                                        double stallSeconds) {
    std::vector<std::string> warnings;
    if (recordIsBlank(record)) return warnings;
    if (record.uiVersion != LINK_VERSION)
        warnings.push_back("version is " + std::to_string(record.uiVersion) + ", not 2");
    if (secondsSinceTickMoved >= stallSeconds) {
        char text[64];
        std::snprintf(text, sizeof text, "tick has not moved for %.0f s", secondsSinceTickMoved);
        warnings.push_back(text);
    }
    const struct {
        const char* name;
        const float* v;
    } vectors[] = {{"avatar position", record.fAvatarPosition}, {"avatar front", record.fAvatarFront},
                   {"avatar top", record.fAvatarTop},           {"camera position", record.fCameraPosition},
                   {"camera front", record.fCameraFront},       {"camera top", record.fCameraTop}};
    for (const auto& vector : vectors)
        if (!finite(vector.v)) warnings.push_back(std::string(vector.name) + " is not finite");
    if (finite(record.fAvatarFront) && hasLengthZero(record.fAvatarFront))
        warnings.push_back("avatar front has length 0");
    if (finite(record.fCameraFront) && hasLengthZero(record.fCameraFront))
        warnings.push_back("camera front has length 0");
    if (!isUp(record.fAvatarTop)) warnings.push_back("avatar top is not (0, 1, 0)");
    if (!isUp(record.fCameraTop)) warnings.push_back("camera top is not (0, 1, 0)");
    if (record.context_len > LINK_CONTEXT_CAPACITY)
        warnings.push_back("context_len " + std::to_string(record.context_len) + " is larger than 256");
    return warnings;
}

std::string recordJson(const LinkRecord& record, double framesPerSecond,
                       const std::vector<std::string>& warnings) {
    char fps[32];
    std::snprintf(fps, sizeof fps, "%.1f", framesPerSecond);
    std::string json = "{\"tick\":";
    json += std::to_string(record.uiTick);
    json += ",\"fps\":";
    json += fps;
    json += ",\"version\":";
    json += std::to_string(record.uiVersion);
    json += ",\"name\":";
    json += jsonString(utf16ToUtf8(record.name, LINK_NAME_UNITS));
    json += ",\"description\":";
    json += jsonString(utf16ToUtf8(record.description, LINK_DESCRIPTION_UNITS));
    json += ",\"avatar\":{\"position\":";
    json += jsonVector(record.fAvatarPosition);
    json += ",\"front\":";
    json += jsonVector(record.fAvatarFront);
    json += ",\"top\":";
    json += jsonVector(record.fAvatarTop);
    json += "},\"camera\":{\"position\":";
    json += jsonVector(record.fCameraPosition);
    json += ",\"front\":";
    json += jsonVector(record.fCameraFront);
    json += ",\"top\":";
    json += jsonVector(record.fCameraTop);
    json += "},\"identity\":";
    json += jsonString(utf16ToUtf8(record.identity, LINK_IDENTITY_UNITS));
    json += ",\"context\":{\"hex\":\"";
    json += contextHex(record);
    json += "\",\"text\":";
    json += jsonString(contextText(record));
    json += "},\"context_len\":";
    json += std::to_string(record.context_len);
    json += ",\"warnings\":[";
    for (std::size_t i = 0; i < warnings.size(); ++i) {
        if (i > 0) json += ',';
        json += jsonString(warnings[i]);
    }
    json += "]}";
    return json;
}

std::vector<std::string> recordLines(const LinkRecord& record, double framesPerSecond,
                                     const std::vector<std::string>& warnings) {
    char head[96];
    std::snprintf(head, sizeof head, "tick %u   %.1f frames/s   version %u", record.uiTick, framesPerSecond,
                  record.uiVersion);
    std::vector<std::string> lines = {
        head,
        "name         " + utf16ToUtf8(record.name, LINK_NAME_UNITS),
        "description  " + utf16ToUtf8(record.description, LINK_DESCRIPTION_UNITS),
        "avatar       position " + textVector(record.fAvatarPosition),
        "             front    " + textVector(record.fAvatarFront),
        "             top      " + textVector(record.fAvatarTop),
        "camera       position " + textVector(record.fCameraPosition),
        "             front    " + textVector(record.fCameraFront),
        "             top      " + textVector(record.fCameraTop),
        "identity     " + utf16ToUtf8(record.identity, LINK_IDENTITY_UNITS),
        "context      " + contextHex(record) + "  \"" + contextText(record) + "\"",
        "context_len  " + std::to_string(record.context_len),
    };
    if (warnings.empty()) lines.push_back("warnings     none");
    for (const std::string& warning : warnings) lines.push_back("WARNING      " + warning);
    return lines;
}
