// The emulator's display of every screen equals the editor's drawing of it at zoom 1 with the same
// values, for the demo and for seeded random projects: the compile and the design view agree.
#include "emulator_test_support.h"

#include "controls/control_light.h"
#include "controls/control_register.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"
#include "editor/project_render.h"
#include "emulator/panel_runtime.h"
#include "emulator/register_text.h"

#include <QFile>

#include <random>
#include <sstream>

using namespace EMULATOR_TEST;

namespace {

// The editor's picture as panel pixels: black is set, anything else (background, grey) clear.
CPanelDisplay EditorPixels(const QImage& image)
{
    CPanelDisplay display(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            display.Set(x, y, (image.pixel(x, y) & 0xFFFFFF) == 0);
    return display;
}

std::string Picture(const CPanelDisplay& a, const CPanelDisplay& b)
{
    std::ostringstream out;
    for (int y = 0; y < a.GetHeight(); ++y) {
        for (int x = 0; x < a.GetWidth(); ++x)
            out << (a.IsSet(x, y) == b.IsSet(x, y) ? (a.IsSet(x, y) ? '#' : '.') : 'X');
        out << '\n';
    }
    return out.str();
}

// Registers get `values` by address, lamps `coils`; the editor's register samples and lamp
// colours are set to match, then every screen is compared.
void ExpectSameScreens(CProject& project, const std::map<int, WORD>& values, const std::map<int, BYTE>& coils,
                       const std::string& what)
{
    CMemoryLink link;
    link.registers = values;
    link.coils = coils;
    CPanelRuntime runtime(ImageOf(project));
    runtime.SetLink(&link);
    const CPanelImage& image = runtime.GetImage();
    CScreensList* screens = project.GetScreensList();
    ASSERT_EQ(image.GetScreenCount(), screens->GetScreenCount());
    for (int s = 1; s <= image.GetScreenCount(); ++s) {
        CScreenBase* screen = screens->GetScreenAt(s - 1);
        std::vector<const PANEL_CONTROL*> registers, lamps;
        for (int i : image.ControlsOfScreen(s)) {
            const PANEL_CONTROL& c = image.GetControls()[size_t(i)];
            if (c.kind == PANEL_CONTROL::REGISTER)
                registers.push_back(&c);
            if (c.kind == PANEL_CONTROL::LAMP)
                lamps.push_back(&c);
        }
        size_t r = 0, l = 0;
        for (CControlBase* control : screen->GetLayoutControls()) {
            if (auto* reg = dynamic_cast<CControlRegister*>(control)) {
                ASSERT_LT(r, registers.size());
                const PANEL_CONTROL& c = *registers[r++];
                *reg->GetSampleAttribute() = CRegisterText::Format(c, values.at(c.address)).c_str();
            } else if (dynamic_cast<CControlLight*>(control)) {
                ASSERT_LT(l, lamps.size());
                const PANEL_CONTROL& c = *lamps[l++];
                const auto on = coils.find(c.address);
                control->SetInvertColor((on != coils.end() && on->second) != c.inverted);
            }
        }
        screen->SetControlsAllNotSelected(nullptr);
        const CPanelDisplay editor = EditorPixels(CProjectRender::RenderScreen(screen, 1.0));

        ASSERT_TRUE(runtime.ShowScreen(s));
        ASSERT_TRUE(runtime.Poll());
        CPanelDisplay emulator;
        runtime.Render(emulator);
        EXPECT_EQ(emulator.CountDifferences(editor), 0)
            << what << ", screen " << s << " (X: emulator and editor differ)\n"
            << Picture(emulator, editor);
    }
}

std::string ReadSource(const char* path)
{
    QFile file(QString(ZQ_SOURCE_DIR) + "/" + path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll().toStdString();
}

// A random project: 1-3 screens of up to 8 controls of every kind the panel draws, at random
// places, with random digits, flags, shapes, keys and texts. Registers are D(100 + k).
std::string RandomProject(unsigned seed, int& registerCount)
{
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const char* const characters[] = {"温", "度", "设", "置", "℃", "A", "b", "1", " ", "-", "Z", "%", "报", "警"};
    const char* const keys[] = {"F1", "F2",   "F3",   "F4",    "F5",  "F6",  "F7",  "F8",
                                "UP", "DOWN", "LEFT", "RIGHT", "ENT", "ESC", "SET", "CLR"};
    const char* const values[] = {"设定为ON", "设定为OFF", "交替", "保持"};
    std::ostringstream json;
    json << "[";
    const int screenCount = pick(1, 3);
    registerCount = 0;
    for (int s = 0; s < screenCount; ++s) {
        json << (s ? "," : "") << R"({"name": "S)" << s << R"(", "controls": [)";
        const int controls = pick(1, 8);
        for (int k = 0; k < controls; ++k) {
            json << (k ? "," : "");
            const std::string common = ", \"反色显示\": " + std::to_string(pick(0, 1)) + ", \"Y\": ";
            switch (pick(0, 3)) {
            case 0: {
                std::string text;
                for (int n = pick(1, 6); n > 0; --n)
                    text += characters[pick(0, 13)];
                json << R"({"type": "static-text", "set": {"文字串": ")" << text << "\", \"X\": " << pick(0, 114)
                     << common << pick(0, 52) << "}}";
                break;
            }
            case 1: {
                const int a = pick(1, 5), b = pick(0, std::min(4, 5 - a)); // the form sets the integer digits first
                json << R"({"type": "register", "set": {"整数位数": )" << a << ", \"小数位数\": " << b
                     << ", \"星号(*)显示\": " << (pick(0, 5) == 0) << ", \"无效0显示\": " << pick(0, 1)
                     << ", \"寄存器号\": \"D(数据寄存器)\", \"寄存器地址\": " << 100 + registerCount++
                     << ", \"X\": " << pick(0, 144) << common << pick(0, 52) << "}}";
                break;
            }
            case 2:
                json << R"({"type": "lamp", "set": {"显示外形": ")" << (pick(0, 1) ? "方形" : "圆形")
                     << "\", \"线圈号\": \"M(辅助继电器)\", \"线圈地址\": " << pick(0, 20)
                     << ", \"X\": " << pick(0, 176) << common << pick(0, 48) << "}}";
                break;
            default:
                json << R"({"type": "function-key", "set": {"显示键类型": ")" << keys[pick(0, 15)]
                     << "\", \"显示手型\": " << pick(0, 1) << ", \"值设置\": \"" << values[pick(0, 3)]
                     << "\", \"X\": " << pick(0, 159) << common << pick(0, 48) << ", \"隐形\": " << (pick(0, 3) == 0)
                     << "}}";
                break;
            }
        }
        json << "]}";
    }
    json << "]";
    return ProjectJson(json.str());
}

} // namespace

TEST(CrossCheck, TheDemoLooksAsTheEditorDrawsIt)
{
    std::unique_ptr<CProject> demo = ProjectOf(ReadSource("examples/demo.json"));
    ASSERT_NE(demo, nullptr);
    ExpectSameScreens(*demo, {{100, 1234}, {200, 75}}, {{264, 1}, {2148, 1}}, "demo");
}

TEST(CrossCheck, SeededRandomProjectsLookAsTheEditorDrawsThem)
{
    for (unsigned seed = 1; seed <= 24; ++seed) {
        int registers = 0;
        std::unique_ptr<CProject> project = ProjectOf(RandomProject(seed, registers));
        ASSERT_NE(project, nullptr) << "seed " << seed;
        std::mt19937 random(seed * 7919u);
        std::map<int, WORD> values;
        for (int k = 0; k < registers; ++k)
            values[100 + k] = WORD(std::uniform_int_distribution<int>(0, k % 4 == 3 ? 65535 : 999)(random));
        std::map<int, BYTE> coils;
        for (int a = 0; a <= 20; ++a)
            coils[2048 + a] = BYTE(random() % 2);
        ExpectSameScreens(*project, values, coils, "seed " + std::to_string(seed));
    }
}
