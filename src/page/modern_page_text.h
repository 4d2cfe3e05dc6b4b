#pragma once

#include <QString>

namespace vintora {

// Texts and links as the modern page writes them.

// Characters no HTML text may hold (controls, noncharacters, surrogates
// without their partner) become U+FFFD; every other character is kept.
QString CleanPageText(const QString &text);

// As element content or a double-quoted attribute value: cleaned, then
// escaped.
QString HtmlText(const QString &text);

// A text read from a picture, cut to at most limit characters (a character
// being a code point, never half of one) with an ellipsis as its last when
// it was longer; blanks at the ends and runs of blanks inside become one
// space.
QString ShortenedText(const QString &text, qsizetype limit);

// The longest camera and lens names, and descriptions, the page shows.
inline constexpr qsizetype kFactTextLimit = 120;
inline constexpr qsizetype kDescriptionLimit = 250;

// A picture reference (see PictureReference) as a URL in an attribute that
// HTML checkers take as valid: the characters a URL may not hold are
// percent-encoded where the reference leaves them ("<", ">" and '"' as
// entities, spaces and brackets as they are), and a backslash, which is
// left only where it separates folders, becomes "/". In srcset, where
// spaces and commas separate candidates, commas are encoded too.
QString PageUrl(const QString &reference, bool inSrcset = false);

// A reference inside url("...") of the style sheet.
QString CssUrl(const QString &reference);

} // namespace vintora
