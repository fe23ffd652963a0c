#include "game/app/DataFiles.h"

#include "engine/Hge.h"
#include "framework/core/DataStreams.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"

namespace {

bool ReadDataFile(const std::string& fileName, bool (*reader)(GF::THolder<GF::IDataInputStream>)) {
    GF::THolder<GF::IDataInputStream> stream = OpenDataFile(fileName);
    if (!stream) {
        // A file that is there but was refused for its size is named by the engine already.
        HGE* hge = hgeCreate(HGE_VERSION);
        bool present = false;
        for (const char* folder : {"Binary_2\\", "Binary\\"})
            present = present || hge->Resource_Exists((folder + fileName).c_str());
        hge->Release();
        if (!present) GameLog("%s is in neither Binary_2 nor Binary", fileName.c_str());
        return false;
    }
    if (!reader(std::move(stream))) {
        GameLog("%s was refused: the tables keep what they held", fileName.c_str());
        return false;
    }
    return true;
}

}  // namespace

GF::THolder<GF::IDataInputStream> OpenDataFile(const std::string& fileName) {
    for (const char* folder : {"Binary_2\\", "Binary\\"}) {
        GF::THolder<GF::IDataInputStream> stream = GF::CreateBlobReader();
        if (stream->Open((folder + fileName).c_str())) return stream;
    }
    return {};
}

bool OpenGameDataFile(const std::string& fileName) {
    return ReadDataFile(fileName, &ReadGameData);
}

bool OpenLevelsDataFile(const std::string& fileName) {
    return ReadDataFile(fileName, &ReadLevelsData);
}

bool OpenLibDataFile(const std::string& fileName) {
    return ReadDataFile(fileName, &ReadLibData);
}
