#include "qt/widgets/folder_path.h"

namespace mw {

QString FolderPathText(const QString& parsingName, const QString& displayName)
{
    QString text = parsingName.startsWith(QLatin1String("::{")) ? displayName : parsingName;
    if (text.size() > 1 && text[0] == '?' && text[1].isDigit())
        text.remove('?');
    return text;
}

}  // namespace mw
