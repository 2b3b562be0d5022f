#include "startup/welcome_text.h"

namespace mw {

std::string WelcomeText(const std::string& gp4Folder)
{
    return "Welcome to Mendwright's auto install program.\n\n"
           "This package will update the following GP4 installation :\n\n"
           "Current GP4 Path :\n" +
           gp4Folder +
           "\n\n"
           "(If no GP4 path appears, you have to manualy select your GP4 path first\n"
           "using one of my tools as Lensforge or Laurels for examples.)";
}

}  // namespace mw
