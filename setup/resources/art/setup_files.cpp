#include "../resource_ids.h"
#include "resources.h"
#include "setup_art.h"

bool buildSetupFiles(std::vector<OutputFile>& files, std::string& error)
{
    IndexedImage icon, picture;
    if (!indexToPalette(setupIcon(), standardPalette16(), icon, error))
        return false;
    if (!indexToPalette(setupPicture(), standardPalette16(), picture, error))
        return false;
    files.push_back({"setup.ico", icoFile({{32, 32, 4, iconImage(icon, 4)}})});
    files.push_back({"welcome.bmp", bmpFile(picture, 4)});
    return true;
}

bool buildSetupTestFiles(std::vector<OutputFile>& files, std::string&)
{
    files.push_back({"test_picture.bmp", trueColourBmpFile(backdropTestPicture())});
    return true;
}

std::vector<SheetEntry> setupSheetPictures()
{
    return {{"SETUP " + std::to_string(IDI_SETUP), setupIcon()},
            {"SETUP " + std::to_string(IDB_WELCOME_PICTURE), setupPicture()}};
}
