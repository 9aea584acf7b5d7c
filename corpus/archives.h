#pragma once
// The seven archives and everything that differs between them. Every window,
// command and export that depends on the archive reads it from here.

#include <QString>
#include <array>
#include <optional>

namespace corpus {

// In window-number order (2..8), which is also the order of the chooser, of the
// window menus and of the archive creation when the chooser loads.
enum class Archive { edilizia, urbanistica, espropriazioni, professionisti, condominio, enti, imprese };

inline constexpr int ArchiveCount = 7;

// The demonstration corpus's texts start with it, so that no one takes them for
// case law; a publisher's real texts do not. Excerpts and the words that make
// two massime alike leave it out.
inline const QString DemonstrationMarker = QStringLiteral("[Testo dimostrativo] ");

struct ArchiveInfo {
    Archive archive;
    QString name;             // window name, also the data file's base name
    int topics;               // N
    int positions;            // P, also the scroll bar's maximum
    QString caption;          // browser window title
    int windowNumber;         // 2..8, shown in the menu bar
    QString hintWord;         // "massime" or "sentenze" in the hint after a topic choice
    QString noticeWord;       // the same word in the end-of-topic notice
    QString contaTooltip;     // tooltip of the position label
    QString exportHeading;    // opens each heading line of an exported massima
    QString label;            // "Edilizia": option caption, menu and toolbar texts
    QString chooserCaption;   // option caption in the chooser
    QString chooserCountText; // text after the number in the chooser's count label
    QString chooserStatus;    // status bar text while the mouse is over the option
    QString ownQuestion;      // asked by the window's own entry of the window menu
    QString ownHelpWindow;    // the window's own help window
    int chooserCountWidth;    // width of the option's count label in the chooser, in twips
};

const std::array<ArchiveInfo, ArchiveCount>& archives();
const ArchiveInfo& info(Archive archive);
std::optional<Archive> archiveByName(const QString& name);
inline int indexOf(Archive archive) { return static_cast<int>(archive); }

} // namespace corpus
