// Form1 as stored, and start-up, headless.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "access_log.h"
#include "field.h"
#include "game_fixture.h"

namespace kestrune::testing {
namespace {

using WindowTest = GameTest;

// Every definition the program embeds loads, with every picture it names.
TEST(EmbeddedDefinition, LoadsWithItsPictures) {
    forms::Runtime runtime(program());
    std::size_t pictures = 0;
    for (const auto& control : runtime.form().controls()) {
        const std::string& name = control->values().picture;
        if (name.empty()) continue;
        ++pictures;
        EXPECT_FALSE(runtime.picture(name).empty()) << control->name();
    }
    EXPECT_EQ(pictures, 16u);  // the fifteen images and Commandup's ring
    EXPECT_EQ(runtime.form().controls().size(), 1u + 59u + 6u);
    EXPECT_FALSE(runtime.picture(runtime.form().window().values().icon).empty());
    EXPECT_FALSE(runtime.picture(runtime.form().window().values().mouseIcon).empty());
}

// The stored values that the game commands and the play rely on hold after start-up.
TEST_F(WindowTest, StoredValuesThePlayReliesOn) {
    EXPECT_EQ(pattern(), idle);
    EXPECT_EQ(v("Timer1").interval, 1);
    EXPECT_EQ(v("Timergame").interval, 600);
    EXPECT_EQ(v("Timerplusspeed").interval, 600);
    EXPECT_EQ(v("Labelscore").caption, "0");
    EXPECT_EQ(v("Labellife").caption, "0");
    EXPECT_EQ(v("Labelgenerator").caption, "0");
    EXPECT_EQ(v("Labelgenerator").visible, forms::False);
    EXPECT_EQ(v("Labeltimer").caption, "");
    EXPECT_EQ(v("Labeltimer").visible, forms::False);
    EXPECT_EQ(v("Frame1").visible, forms::False);
    EXPECT_EQ(v("Command2").enabled, forms::True);

    const auto& hero = v("Imagetravik");
    EXPECT_EQ(hero.left, 120.0f);
    EXPECT_EQ(hero.top, 120.0f);
    EXPECT_EQ(hero.width, 495.0f);
    EXPECT_EQ(hero.height, 495.0f);

    struct Cell {
        int column, row;
    };
    // clang-format off
    const std::array<Cell, 12> stored{{{9, 1}, {7, 3}, {5, 0}, {11, 5}, {1, 7}, {3, 4},
                                       {2, 6}, {4, 1}, {2, 3}, {6, 4}, {8, 5}, {10, 2}}};
    // clang-format on
    for (std::size_t i = 0; i < fieldObjects.size(); ++i) {
        SCOPED_TRACE(fieldObjects[i]);
        const auto& object = v(fieldObjects[i]);
        EXPECT_EQ(object.left, columnLeft(stored[i].column));
        EXPECT_EQ(object.top, rowTop(stored[i].row));
        EXPECT_EQ(object.width, 495.0f);
        EXPECT_EQ(object.height, 495.0f);
        EXPECT_EQ(object.visible, forms::True);
        EXPECT_EQ(object.picture, i < firstRing ? "block.bmp" : "ring.bmp");
    }
}

// The captions are the game's own texts, Cyrillic decoded from the stored code page.
TEST_F(WindowTest, Captions) {
    const std::vector<std::pair<const char*, const char*>> captions{
        {"Form1", "Kestrune!!!"},
        {"Command1", "&Новая игра (&Q)"},
        {"Commandstop", "Пауза (&W)"},
        {"Commandcontinue", "Продолжить (&E)"},
        {"Command2", "Как играть и кто создатель..."},
        {"Commandup", "&A"},
        {"Commanddown", "&Z"},
        {"Label1", "Ваш счёт"},
        {"Label2", "Ваши жизни"},
        {"Label3", " Версия  1.11"},
        {"Frame1", "Kestrune!!!"},
        {"Command3", "X"},
        {"a", "Игра"},
        {"aa", "Новая"},
        {"ab", "Пауза"},
        {"ac", "Продолжить"},
        {"b", "Помощь"},
        {"ba", "Как играть и кто создатель"},
    };
    for (const auto& [name, caption] : captions) EXPECT_EQ(v(name).caption, caption) << name;

    const std::string rules =
        "Играйте и наслаждайтесь! Соберите как можно больше колец, опасай-     тесь блоков! "
        "Чтобы взять кольцо, задержитесь на его изображении!!!";
    const std::string& help = v("Label5").caption;
    ASSERT_GT(help.size(), rules.size() + 1);
    EXPECT_EQ(help.substr(0, rules.size()), rules);
    EXPECT_EQ(help[rules.size()], ' ');
}

// Load seeds the random sequence from the clock and neither reads nor writes a control.
TEST(StartUp, LoadSeedsAndTouchesNoControl) {
    forms::Runtime runtime(program());
    AccessLog log;
    runtime.form().addObserver(&log);
    runtime.setSeedClock([] { return 42u; });
    runtime.load();
    EXPECT_TRUE(log.accesses.empty());

    forms::Runtime reference(program());
    reference.random().seed(42u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(runtime.rtcRandomNext(), reference.rtcRandomNext());
}

// Two starts at different times draw different sequences; the same time, the same one.
TEST(StartUp, StartsAtDifferentTimesDrawDifferently) {
    auto draws = [](std::uint64_t clock) {
        forms::Runtime runtime(program());
        runtime.setSeedClock([clock] { return clock; });
        runtime.load();
        std::vector<float> numbers;
        for (int i = 0; i < 16; ++i) numbers.push_back(runtime.rtcRandomNext());
        return numbers;
    };
    EXPECT_NE(draws(1'000'000'000), draws(1'000'000'001));
    EXPECT_EQ(draws(7), draws(7));
}

// The z-order: the help box in front, the sky at the back, the hero in front of the title
// picture, and the title picture in front of every field object.
TEST_F(WindowTest, ZOrder) {
    const auto& order = rt.form().window().children();
    auto place = [&order](std::string_view name) {
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (order[i]->name() == name) return i;
        }
        ADD_FAILURE() << name << " is not in the window";
        return order.size();
    };
    EXPECT_EQ(order.front()->name(), "Frame1");
    EXPECT_LT(place("Imagetravik"), place("Imagelogo"));
    EXPECT_LT(place("Label4"), place("Imagetravik"));
    for (auto name : fieldObjects) {
        EXPECT_LT(place("Imagelogo"), place(name));
        EXPECT_LT(place(name), place("Imagebackground"));
    }
    EXPECT_LT(place("Imagering1"), place("Image6"));
    EXPECT_LT(place("Image4"), place("Image3"));
}

}  // namespace
}  // namespace kestrune::testing
