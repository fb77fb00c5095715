#include "converter/private_temp.h"

#include "platform/temp_folder.h"

bool CreatePrivateTemp(PrivateTemp& temp, std::string* error) {
    temp.folder = platform::makePrivateFolder("brisktune-", error);
    if (temp.folder.empty()) {
        temp.wavPath.clear();
        return false;
    }
    temp.wavPath = temp.folder + kTempWavName;
    return true;
}

void RemovePrivateTemp(PrivateTemp& temp) {
    if (!temp.folder.empty()) platform::removeTree(temp.folder);
    temp.folder.clear();
    temp.wavPath.clear();
}
