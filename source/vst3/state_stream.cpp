#include "vst3/state_stream.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstattributes.h"

#include <cstring>

namespace taluma {

using namespace Steinberg;

namespace {

bool readExactly(IBStream& stream, uint8_t* into, int32 count) {
    int32 read = 0;
    return stream.read(into, count, &read) == kResultOk && read == count;
}

}  // namespace

SavedState readSavedState(IBStream& stream) {
    SavedState state;
    if (!readExactly(stream, state.record, 1))
        return state;
    if (state.record[0] != kStateRecordVersion) {
        state.kind = SavedState::kOtherVersion;
        return state;
    }
    if (!readExactly(stream, state.record + 1, int32(kStateRecordSize - 1))) {
        state.kind = SavedState::kIncomplete;
        return state;
    }
    state.kind = SavedState::kRecord;
    uint8_t header[kStateExtensionHeaderSize];
    uint16_t length = 0;
    if (!readExactly(stream, header, int32(sizeof(header))) ||
        !readStateExtensionHeader(header, sizeof(header), length))
        return state;
    // The fields this build knows are at the front; a longer extension is a newer one.
    uint8_t fields[64] = {};
    const int32 wanted = length < sizeof(fields) ? length : int32(sizeof(fields));
    int32 read = 0;
    if (wanted > 0 && stream.read(fields, wanted, &read) != kResultOk)
        return state;
    state.hasExtension = true;
    state.extension = readStateExtensionFields(fields, size_t(read));
    return state;
}

bool writeSavedState(IBStream& stream, const std::vector<uint8_t>& record,
                     const StateExtension& extension) {
    std::vector<uint8_t> bytes = record;
    const std::vector<uint8_t> tail = writeStateExtension(extension);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    int32 written = 0;
    return stream.write(bytes.data(), int32(bytes.size()), &written) == kResultOk &&
           written == int32(bytes.size());
}

RecordScope hostLoadScope(IBStream& stream) {
    Vst::IStreamAttributes* attributes = nullptr;
    if (stream.queryInterface(Vst::IStreamAttributes::iid, (void**)&attributes) != kResultOk ||
        !attributes)
        return RecordScope::kWhole;
    RecordScope scope = RecordScope::kWhole;
    Vst::TChar type[128] = {};
    if (Vst::IAttributeList* list = attributes->getAttributes()) {
        if (list->getString("StateType", type, sizeof(type)) == kResultOk) {
            type[127] = 0;
            char ascii[128] = {};
            UString(type, 128).toAscii(ascii, 128);
            if (std::strcmp(ascii, "Project") != 0)
                scope = RecordScope::kSound;
        }
    }
    attributes->release();
    return scope;
}

}  // namespace taluma
