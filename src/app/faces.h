// The font faces the window names, and the installed faces that draw them.
// The names stay those of the window's own design; Qt's font substitution
// maps each once, at start-up, and the window makes its fonts from the faces
// a name maps to.
#pragma once

namespace lexmira {

inline constexpr char kSansSerifFace[] = "MS Sans Serif";  // the window's and top bar's
inline constexpr char kHeiFace[] = "黑体";                  // the meaning's
inline constexpr char kSongFace[] = "宋体";                 // the class text's

// The interface is Chinese, so the application's own font (boxes, hints,
// menus) is a Chinese face that has Latin letters too: the Hei face
// fontconfig itself picks for Simplified Chinese. A text whose characters
// are all in the face it names is drawn without Qt searching fontconfig's
// whole fallback list.
inline constexpr char kInterfaceFontFamily[] = "WenQuanYi Zen Hei";

// Maps the three names onto installed faces: "MS Sans Serif" onto DejaVu
// Sans for Latin letters, then the interface face for the Chinese labels
// drawn in it; "黑体" onto the interface face; "宋体" onto AR PL UMing CN.
void InstallFaceSubstitutes();

}  // namespace lexmira
