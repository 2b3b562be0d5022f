#include "ops/messages.h"

#include "ops/track_names.h"

namespace mw {

std::string CountText(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

std::string RemoveEntriesQuestion(std::size_t count, const std::string& archiveName)
{
    return "Remove " + CountText(count, "entry", "entries") + " from " + archiveName + "?";
}

std::string TrackBatchQuestion(const std::string& gp4Folder)
{
    std::string text = "Update track wads will change these " + std::to_string(kTrackCount) + " wads in " +
                       gp4Folder + ":\n\n";
    for (const char* track : TrackNames)
        text += std::string(track) + ".wad\n";
    text += "\nThe changes can be undone afterwards, all these wads at once, with \"Undo last update\".\n\n";
    return text + "Go on?";
}

std::string WithFullStop(const std::string& text)
{
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        return text + ".";
    return text;
}

}  // namespace mw
