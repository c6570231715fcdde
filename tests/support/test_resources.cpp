// The simulation's copy of the test program's resources.
#include "tests/support/test_resources.h"

#include "platform/platform.h"

std::vector<uint8_t> ResourceBytes(std::initializer_list<uint16_t> words) {
    std::vector<uint8_t> bytes;
    for (uint16_t w : words) {
        bytes.push_back(static_cast<uint8_t>(w));
        bytes.push_back(static_cast<uint8_t>(w >> 8));
    }
    return bytes;
}

void RegisterTestResources() {
#if defined(KEYSEQ_PLATFORM_SIM)
    auto add = [](int id, std::initializer_list<uint16_t> words) {
        sim::RegisterResource(RT_RCDATA, MAKEINTRESOURCEW(id), ResourceBytes(words));
    };
    add(KEYSEQ_RES_TEXT_BOM, {KEYSEQ_RES_TEXT_BOM_WORDS});
    add(KEYSEQ_RES_TEXT_PLAIN, {KEYSEQ_RES_TEXT_PLAIN_WORDS});
    add(KEYSEQ_RES_DATA, {KEYSEQ_RES_DATA_WORDS});
    add(KEYSEQ_RES_PICTURE, {KEYSEQ_RES_PICTURE_WORDS});
    add(KEYSEQ_RES_NOT_PICTURE, {KEYSEQ_RES_NOT_PICTURE_WORDS});
    for (int icon : {KEYSEQ_RES_ICON, KEYSEQ_RES_MAIN_WINDOW_ICON, KEYSEQ_RES_FORM_ICON})
        sim::RegisterResource(RT_GROUP_ICON, MAKEINTRESOURCEW(icon), {0});
#endif
}
