#include "game/app/DataFiles.h"

#include "engine/Hge.h"
#include "framework/core/DataStreams.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"

namespace {

void Log(const std::string& fileName, const char* what) {
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_Log("%s %s", fileName.c_str(), what);
    hge->Release();
}

bool ReadDataFile(const std::string& fileName, bool (*reader)(GF::THolder<GF::IDataInputStream>)) {
    GF::THolder<GF::IDataInputStream> stream = OpenDataFile(fileName);
    if (!stream) {
        // A file that is there but was refused for its size is named by the engine already.
        HGE* hge = hgeCreate(HGE_VERSION);
        bool present = false;
        for (const char* folder : {"Binary_2\\", "Binary\\"})
            present = present || hge->Resource_Exists((folder + fileName).c_str());
        hge->Release();
        if (!present) Log(fileName, "is in neither Binary_2 nor Binary");
        return false;
    }
    if (!reader(std::move(stream))) {
        Log(fileName, "was refused: the tables keep what they held");
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
