// Case folding: the one form of a letter whatever its case, in every script, for
// comparing names where letters of either case count alike (the input box's folder
// completion). Unicode's simple case folding, one character to one; characters only.
#pragma once

#include <string>
#include <string_view>

namespace zul {

// The character `character` folds to by Unicode's simple case folding (14.0): a capital
// to its small letter (A to a, Sigma and final sigma to sigma, Cyrillic De to de,
// Armenian Ayb to ayb, Kelvin sign to k), a few small letters to another (long s to s,
// Cherokee small letters to their capitals); a letter whose full folding is several
// characters stays as it is (sharp s, not ss; the ligatures), or folds to its simple
// folding where it has one (capital sharp s to sharp s). No Turkic folding: dotless i
// and capital I with dot above stay themselves. Every other value, a character with no
// case, an unassigned one, a stand-in for a byte or no character at all, stays as it is.
// Folding a folded character gives it again.
char32_t FoldedCase(char32_t character);

// `characters` each folded (FoldedCase): as many characters as went in.
std::u32string FoldedCase(std::u32string_view characters);

}  // namespace zul
