#include "calc/DesignLink.h"

#include <algorithm>
#include <cstddef>

namespace calc {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool isUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void appendEncoded(std::string& link, std::string_view text) {
    for (const char c : text) {
        if (isUnreserved(c)) {
            link += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            link += '%';
            link += kHexDigits[byte >> 4];
            link += kHexDigits[byte & 0xF];
        }
    }
}

std::string decoded(std::string_view encoded) {
    std::string text;
    text.reserve(encoded.size());
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        const bool escape = encoded[i] == '%' && encoded.size() - i > 2 &&
                            hexValue(encoded[i + 1]) >= 0 && hexValue(encoded[i + 2]) >= 0;
        if (escape) {
            text += static_cast<char>(hexValue(encoded[i + 1]) * 16 + hexValue(encoded[i + 2]));
            i += 2;
        } else {
            text += encoded[i];
        }
    }
    return text;
}

}  // namespace

std::string designLink(const InputTexts& texts) {
    std::string link;
    for (const InputBoxRow& row : kInputBoxes) {
        if (!link.empty()) {
            link += '&';
        }
        link += row.linkKey;
        link += '=';
        appendEncoded(link, texts[static_cast<std::size_t>(row.box)]);
    }
    return link;
}

std::optional<DesignTexts> designFromLink(std::string_view fragment) {
    if (fragment.starts_with('#')) {
        fragment.remove_prefix(1);
    }
    std::array<std::optional<std::string>, kInputCount> given;
    while (!fragment.empty()) {
        const std::size_t end = std::min(fragment.find('&'), fragment.size());
        const std::string_view part = fragment.substr(0, end);
        fragment.remove_prefix(std::min(end + 1, fragment.size()));
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string key = decoded(part.substr(0, equals));
        const auto row =
            std::ranges::find(kInputBoxes, std::string_view(key),
                              [](const InputBoxRow& r) { return std::string_view(r.linkKey); });
        if (row != kInputBoxes.end() && !given[static_cast<std::size_t>(row->box)]) {
            given[static_cast<std::size_t>(row->box)] = decoded(part.substr(equals + 1));
        }
    }
    if (std::ranges::none_of(given, [](const auto& text) { return text.has_value(); })) {
        return std::nullopt;
    }
    DesignTexts texts;
    for (const InputBoxRow& row : kInputBoxes) {
        const std::size_t i = static_cast<std::size_t>(row.box);
        texts[i] = given[i].value_or(row.initialText);
    }
    return texts;
}

}  // namespace calc
