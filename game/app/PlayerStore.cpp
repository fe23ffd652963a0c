#include "game/app/PlayerStore.h"

#include "framework/core/MemoryStreams.h"
#include "game/app/DataFormat.h"

bool ReadPlayerProfile(GF::CInputStream& in, CPlayerProfile& profile) {
    std::string why;
    return ReadRecord(in, profile, why);
}

void WritePlayerProfile(GF::COutputStream& out, const CPlayerProfile& profile) {
    WriteRecord(out, profile);
}

bool LoadPlayerStore(GF::CInputStream& in, CPlayerStore& store, std::string& why) {
    return ReadRecord(in, store, why);
}

void SavePlayerStore(GF::COutputStream& out, const CPlayerStore& store) {
    WriteRecord(out, store);
}

bool SaveSettingsPart(GF::COutputStream& out, const CPlayerStore& store) {
    GF::CMemoryOutputStream part;
    SavePlayerStore(part, store);
    if (part.data.size() > kMaxSavedStoreBytes) {
        out.SetFailed();
        return false;
    }
    GF::WriteInt32BE(out, store.version);
    out.Write(part.data.data(), static_cast<unsigned>(part.data.size()));
    return true;
}

ESettingsPart LoadSettingsPart(GF::CInputStream& in, CPlayerStore& store, std::string& why) {
    int32_t version = 0;
    if (in.Remaining() < 4 || !GF::ReadInt32BE(in, version)) {
        why = "it ends before the game's version word";
        return ESettingsPart::OtherVersion;
    }
    if (version != store.version) {
        why = "version " + std::to_string(version) + ", the game data's is " + std::to_string(store.version);
        return ESettingsPart::OtherVersion;
    }
    if (in.Remaining() > kMaxSavedStoreBytes) {
        why = "its player store takes " + std::to_string(in.Remaining()) + " bytes, more than the " +
              std::to_string(kMaxSavedStoreBytes) + " it may";
        return ESettingsPart::Damaged;
    }
    CPlayerStore saved;
    if (!LoadPlayerStore(in, saved, why)) return ESettingsPart::Damaged;
    if (saved.version != version) {
        why = "the store's version " + std::to_string(saved.version) + " differs from the leading " +
              std::to_string(version);
        return ESettingsPart::Damaged;
    }
    // The store is the file's last part: more after it is not a file the game wrote.
    if (in.Remaining() > 0) {
        why = std::to_string(in.Remaining()) + " bytes follow the player store";
        return ESettingsPart::Damaged;
    }
    store = std::move(saved);
    return ESettingsPart::Loaded;
}
