#pragma once

#include <cstdio>
#include <string>

namespace difplot {

// Collects the text of an SVG document, element by element.
class SvgText {
  public:
    // Appends printf-formatted text; each piece is at most one element, well under 512 characters.
    template <typename... Values>
    void add(const char* pattern, Values... values) {
        char piece[512];
        std::snprintf(piece, sizeof piece, pattern, values...);
        text_ += piece;
    }
    void raw(const std::string& text) { text_ += text; }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// Escapes text for use inside an XML element or attribute.
std::string xml_escape(const std::string& text);

}  // namespace difplot
