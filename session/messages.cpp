#include "session/messages.h"

#include <algorithm>
#include <array>

namespace tavlo {

namespace {

const QString problem = QStringLiteral("We have a problem...");
const QString fileKindHint = QStringLiteral("Please make sure you are selecting an TAVL file,\r\n"
                                            "a TXT, HTM, HTML, SHTML or ASP file,\r\n"
                                            "or alternately, a GIF or JPG image.");
const QString smallerPicture = QStringLiteral("Please choose a smaller picture.");
const QString pageNotOpened = QStringLiteral("\r\n\r\n\r\nWeb Page not Opened");

MessageText msg(const QString& title, const QString& text, const QString& detail)
{
    return {MessageForm::Msg, title, text, detail};
}

MessageText alert(const QString& title, const QString& text, const QString& detail)
{
    return {MessageForm::Alert, title, text, detail};
}

MessageText box(const QString& title, const QString& text, MsgIcon icon,
                MsgButtons buttons = MsgButtons::Ok)
{
    return {MessageForm::Box, title, text, {}, icon, buttons};
}

struct Entry {
    Message key;
    MessageText text;
};

const std::array<Entry, messageCount>& catalogue()
{
    static const std::array<Entry, messageCount> texts{{
        {Message::AlreadyRunning,
         box("Tavlo Note", "Tavlo already in use...", MsgIcon::Exclamation)},
        {Message::Directory,
         msg("No directories, please...", "\r\nTavlo will not open a directory.",
             "Not much else to say on that one.")},
        {Message::FiletypeUnrecognised,
         msg(problem, "\r\nTavlo does not recognize the filetype in:\r\n\r\n%1", fileKindHint)},
        {Message::CouldNotOpen, msg(problem, "\r\nTavlo could not open:\r\n\r\n%1", fileKindHint)},
        {Message::PictureTooLarge, msg(problem,
                                       "\r\nTavlo maps pictures of up to 32767 by 32767 pixels;\r\n"
                                       "this one is %1 by %2:\r\n\r\n%3",
                                       smallerPicture)},
        {Message::PictureDecodedTooLarge,
         msg(problem, "\r\nTavlo maps pictures of up to 32767 by 32767 pixels:\r\n\r\n%1",
             fileKindHint)},
        {Message::PictureTooLargeToLoad,
         msg(problem, "\r\nThis picture of %1 by %2 pixels is too large to load:\r\n\r\n%3",
             smallerPicture)},
        {Message::MapUnreadable, msg(problem, "\r\nTavlo could not open:\r\n\r\n%1", "%2")},
        {Message::MapTagsMissing,
         msg(problem,
             "The file requested either:\r\n\r\n1.) Contains no TAVL file, or\r\n"
             "2.) the file has been corrupted in the following manner -- \r\n\r\n%1",
             "  To edit an TAVL file -- all the tags,\r\n as well as comments, must be left "
             "intact.")},
        {Message::NoStartMarker,
         box("Tavlo Note:",
             "There is no Tavlo File in \r\n%1\r\n\r\n    ...or it has been corrupted.",
             MsgIcon::Exclamation)},
        {Message::EndMarkerAltered,
         box("Tavlo Note:", "TAVL has been altered,\r\nand cannot be edited in its present state.",
             MsgIcon::Exclamation)},
        {Message::BadCoords, msg(problem,
                                 "\r\nThe COORDS of area %1 in\r\n\r\n%2\r\n\r\n"
                                 "are not whole numbers Tavlo can use:\r\n%3",
                                 "Please correct the map, then open it again.")},
        {Message::ImagePathProblem,
         alert("Image path problem...",
               "The path to the image contained in\r\nthe map file is incorrect for your machine.",
               "Would you like the opportunity to\r\nlocate that image now, via an open dialog?")},
        {Message::DefaultImagePath,
         msg("Keep in mind...",
             "\r\n\r\nTavlo will prepend the default path of \r\n\"images/\" to the following "
             "image.",
             "Be sure to edit this later, if necessary.")},
        {Message::NoMappedAreas,
         box("Tavlo Note:",
             "There appears to be no mapped areas,\r\nor the coordinates have been corrupted.",
             MsgIcon::Exclamation)},
        {Message::AreaNotes, box("Tavlo Note:", "%1", MsgIcon::Exclamation)},
        {Message::UnsavedWork,
         alert("Your last chance...", "The present MAP is as yet unsaved.",
               "Would you like the opportunity to\r\nsave your current work?")},
        {Message::DropUnknown, box("Tavlo Note:", "Unknown filetype.", MsgIcon::Exclamation)},
        {Message::DropSeveral,
         {MessageForm::MsgSm, problem, "Please enter only one file to map at time.", {}}},
        {Message::OpenError,
         box("OPEN ERROR...", "That file you chose isn't there.", MsgIcon::Exclamation)},
        {Message::NothingToSave,
         box("Tavlo Note", "You have to map something to save, first.", MsgIcon::Information)},
        {Message::NoAreaToSave,
         box("Tavlo Note",
             "You have to map an area before you can save to the ClipBoard.\r\n\r\n"
             ">>> If you have the image you want loaded, simply choose a shape\r\n"
             "        from the buttons above and begin to draw.\r\n\r\n"
             ">>> If not, drag an image file onto the Tavlo screen to begin.",
             MsgIcon::Information)},
        {Message::ConfirmClipboard,
         box("Confirm Clipboard:", "Saving present map to the clipboard.\r\n\r\nContinue?",
             MsgIcon::None, MsgButtons::YesNo)},
        {Message::NoOpenedPage,
         box("Tavlo Note",
             "There is no opened page to save this map into.\r\n\r\n"
             "Open a page that holds a Tavlo map first; its map can then be written back with "
             "\"Save in Original Page\".",
             MsgIcon::Information)},
        {Message::SaveFailed, msg(problem, "\r\nTavlo could not save the map to:\r\n\r\n%1", "%2")},
        {Message::PageChanged,
         msg(problem, "\r\nThe page has changed since Tavlo opened it:\r\n\r\n%1",
             "To keep both, save the map with \"Save As HTML\",\r\nor open the page again.")},
        {Message::NoBrowser,
         msg("Browser not found...", "\r\n\r\nTavlo Could not find associated Browser.",
             "Are you running something old, or should you contact Tavlo suppport?")},
        {Message::UrlFailed, msg("URL failed...", pageNotOpened, {})},
        {Message::PreviewNotWritten, msg("Browser initialization failed.", pageNotOpened,
                                         "If problem persists, please contact Tavlo support.")},
        {Message::ClearRegistry,
         box("One Last Check...", "Are you sure you wish to delete all Tavlo registry information?",
             MsgIcon::None, MsgButtons::YesNo)},
        {Message::RegistryCleared,
         box("SUCCESS",
             "Tavlo Registry Entries have been Cleared\r\n\r\n" + QString(13, u' ') +
                 "Good luck,\r\n" + QString(26, u' ') + "and farewell.",
             MsgIcon::None)},
        {Message::RegistryNotCleared,
         box("Tavlo Note", "These Tavlo entries could not be removed:\r\n\r\n%1",
             MsgIcon::Exclamation)},
    }};
    return texts;
}

QString substituted(const QString& text, const QStringList& args)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9') {
            const int n = text[i + 1].digitValue() - 1;
            if (n < args.size()) {
                out += args[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

const MessageText& messageText(Message message)
{
    const auto& entries = catalogue();
    return std::find_if(entries.begin(), entries.end(),
                        [message](const Entry& e) { return e.key == message; })
        ->text;
}

MessageText filledIn(const Note& note)
{
    MessageText texts = messageText(note.message);
    for (QString* text : {&texts.title, &texts.text, &texts.detail})
        *text = substituted(*text, note.args);
    return texts;
}

bool tell(Prompts& prompts, const Note& note)
{
    const MessageText t = filledIn(note);
    switch (t.form) {
    case MessageForm::Msg:
        prompts.showMsg(t.title, t.text, t.detail);
        return false;
    case MessageForm::MsgSm:
        prompts.showMsgSm(t.title, t.text);
        return false;
    case MessageForm::Alert:
        return prompts.askAlert(t.title, t.text, t.detail);
    case MessageForm::Box:
        return prompts.messageBox(t.title, t.text, t.icon, t.buttons) == MsgAnswer::Yes;
    }
    return false;
}

} // namespace tavlo
