#include "bench/catalogue.h"

#include "res/resource.h"

namespace bench {

// Reference times are the floats nearest to the decimals written here.
const TestInfo kCatalogue[kTestCount] = {
    {"Standard Text", IDC_TEST_STATIC, 104, 4.4f, 4.7f},
    {"Standard Text(2)", IDC_TEST_STATIC, 105, 4.4f, 7.4f},
    {"EditBox Text", IDC_TEST_EDIT, 106, 9.5f, 7.4f},
    {"Button Text", IDC_TEST_BUTTON, 107, 4.5f, 5.1f},
    {"GroupBox Text", IDC_TEST_GROUPBOX, 108, 10.2f, 14.0f},
    {"RadioButton Control", IDC_TEST_RADIO1, 109, 12.5f, 8.9f},
    {"CheckBox Control", IDC_TEST_CHECKBOX, 110, 7.5f, 6.7f},
    {"ScrollBar Control", IDC_TEST_SCROLLBAR, 111, 10.5f, 3.4f},
    {"ProgressBar Control", IDC_TEST_PROGRESS, 112, 5.1f, 2.0f},
    {"Smooth ProgressBar Control", IDC_TEST_SMOOTH_PROGRESS, 113, 24.1f, 6.6f},
    {"Slider Control", IDC_TEST_SLIDER, 114, 5.9f, 2.5f},
    {"ListBox Control", IDC_TEST_LISTBOX, 115, 2.9f, 1.4f},
    {"Tab Control", IDC_TEST_TAB, 116, 9.5f, 5.5f},
    {"ComboBox Control", IDC_TEST_COMBO, 117, 3.7f, 1.5f},
    {"TreeView", IDC_TEST_TREE, 118, 4.2f, 5.1f},
    {"TreeView(2)", IDC_TEST_TREE, 119, 4.2f, 5.1f},
    {"ListView", IDC_TEST_LISTVIEW, 120, 9.5f, 3.2f},
    {"ListView(2)", IDC_TEST_LISTVIEW, 121, 9.5f, 3.2f},
    {"Show / Hide Controls", IDC_TEST_PICTURE, 122, 16.2f, 7.9f},
    {"Enable / Disable Controls", IDC_TEST_NOTE, 123, 7.1f, 4.6f},
};

}  // namespace bench

void GetTestName(int index, std::string& text) {
    if (index < 0 || index >= bench::kTestCount)
        return;
    text = bench::kCatalogue[index].name;
}
