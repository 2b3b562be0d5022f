#include "settings/settings_errors.h"

namespace mw {

std::string WrongTypeText(const std::string& name)
{
    return "Type de données incorrect pour '" + name + "'";
}

std::string WriteFailedText(const std::string& name)
{
    return "Echec de la définition des données pour '" + name + "'";
}

std::string NotRegularSettingsText()
{
    return "Sorry but the settings file is not a regular file, so no setting can be stored in it";
}

}  // namespace mw
