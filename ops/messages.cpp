#include "ops/messages.h"

namespace mw {

std::string MessageText(MessageId id)
{
    switch (id) {
    case kChooseSourceFolder: return "Sorry but you have to choose a source folder first.";
    case kChooseWadFile: return "Sorry but you have to choose a wad file first.";
    case kChooseSourceFiles: return "Sorry but you have to choose source file(s) first.";
    case kNotAWadFile: return "Sorry but you havn't selected a wad file.";
    case kWrongWadPath: return "Sorry but you surely did a mistake in wad's pathname :)";
    case kWrongFilePath: return "Sorry but you surely did a mistake in file's pathname :)";
    case kExtractingFormat: return "Extracting files : %d";
    }
    return {};
}

std::string WithFullStop(const std::string& text)
{
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        return text + ".";
    return text;
}

}  // namespace mw
