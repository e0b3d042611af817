#pragma once

#include "platform/prompts.h"

#include <QString>
#include <QStringList>

namespace tavlo {

// Every outcome the program tells the user about.
enum class Message {
    AlreadyRunning,
    Directory,
    FiletypeUnrecognised,
    CouldNotOpen,
    PictureTooLarge,
    PictureDecodedTooLarge,
    PictureTooLargeToLoad,
    MapUnreadable,
    MapTagsMissing,
    NoStartMarker,
    EndMarkerAltered,
    BadCoords,
    ImagePathProblem,
    DefaultImagePath,
    NoMappedAreas,
    AreaNotes,
    UnsavedWork,
    DropUnknown,
    DropSeveral,
    OpenError,
    NothingToSave,
    NoAreaToSave,
    ConfirmClipboard,
    NoOpenedPage,
    SaveFailed,
    PageChanged,
    NoBrowser,
    UrlFailed,
    PreviewNotWritten,
    ClearRegistry,
    RegistryCleared,
    RegistryNotCleared,
};
inline constexpr int messageCount = static_cast<int>(Message::RegistryNotCleared) + 1;

enum class MessageForm { Msg, MsgSm, Alert, Box };

// One message as its window shows it: frmMsg's and frmAlert's three labels, frmMsgSm's
// two, or a message box's title and text. "%1", "%2"... stand for paths, sizes and reasons.
struct MessageText {
    MessageForm form;
    QString title;  // Label1, or the box's title
    QString text;   // Label2, or the box's text
    QString detail; // Label3; empty for frmMsgSm and boxes
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
};

const MessageText& messageText(Message message);

// An outcome to be told, with what fills its placeholders.
struct Note {
    Message message;
    QStringList args;
};

// The texts of note with its placeholders filled in one pass, so that a path holding
// "%2" keeps it.
MessageText filledIn(const Note& note);

// Shows note in its window. True when the user answered YES (frmAlert) or Yes (a box).
bool tell(Prompts& prompts, const Note& note);

} // namespace tavlo
