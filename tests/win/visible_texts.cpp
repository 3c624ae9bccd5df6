// The texts of the program's windows as the user reads them, typed out here:
// the main window as it starts, the about and colour windows opened with its
// buttons, and the trouble-code and actuator windows once the ECU answers.
#include <gtest/gtest.h>

#include <string>

#include "app/TForm7.h"
#include "codes/TForm4.h"
#include "link/TForm5.h"
#include "settings/TForm6.h"
#include "tests/win/ProgramDriver.h"

using namespace program_driver;

TEST(VisibleTexts, MainWindowAsItStarts) {
    TForm1& f = Main();
    const char* const captions[15] = {
        "Частота вращения коленвала, об/мин.",
        "Длительность импульса впрыска, мс.",
        "Давление во впускном коллекторе, КПа.",
        "Соотношение воздух/топливо.",
        "Открытие дроссельной заслонки, %.",
        "Напряжение ДПДЗ, В.",
        "Угол опережения зажигания, °ПКВ.",
        "Температура охлаждающей жидкости, °С.", // Cyrillic С
        "Температура воздуха, °С.",
        "Напряжение датчика кислорода / RCO, мВ.",
        "Ячейкиа памяти BLM, рег. подачу топлива.",
        "Скорость автомобиля, км/ч.",
        "Напряжение борт сети (питание ЭБУ), В.",
        "Идентификатор.",
        "Количество ошибок.",
    };
    const char* const values[15] = {"0", "0,0", "0", "0,0", "0",   "0,0",    "0", "0",
                                    "0", "0",   "0", "0",   "0,0", "0x0000", "0"};
    for (int n = 1; n <= 15; ++n) {
        EXPECT_EQ(f.NParam_(n).text(), captions[n - 1]) << "NParam_" << n;
        EXPECT_EQ(f.Param_(n).text(), values[n - 1]) << "Param_" << n;
    }
    EXPECT_EQ(f.Label8.text(), "Набор графиков 1");
    EXPECT_EQ(f.Label9.text(), "Основные параметры");
    EXPECT_EQ(f.Label50.text(), "Поток полученных данных");
    EXPECT_EQ(f.Label2.text(), "ESPERO");
    EXPECT_EQ(f.Label3.text(), "1.5 MPFI DOHC до 92г.");
    EXPECT_EQ(f.Label51.text(), "Диагностика DAEWOO.");
    const char* const ports[8] = {"Com-1", "Com-2", "Com-3", "Com-4",
                                  "Com-5", "Com-6", "Com-7", "Com-8"};
    ASSERT_GE(f.state.selection.portIndex, 0);
    ASSERT_LE(f.state.selection.portIndex, 7);
    EXPECT_EQ(f.Label1.text(), ports[f.state.selection.portIndex]);
}

TEST(VisibleTexts, AboutWindow) {
    TForm1& f = Main();
    Click(f, f.Image33);
    ASSERT_NE(Form7, nullptr);
    TForm7& about = *Form7;
    EXPECT_EQ(about.Label1.text(), "MOTOSKOP  версия 1.0");
    // Each line with its leading and trailing blanks; the double blanks inside are meant.
    const std::string lines[13] = {
        "Программа ''MOTOSKOP'' (программа) предназначена для диагностики двигателей ",
        "внутреннего сгорания автомобилей Daewoo, а  также  электронных  блоков  управления. ",
        std::string(49, ' ') + "Программа позволяет: ",
        "Отображать в динамике контролируемые параметры, просматривать их как  в цифровом,",
        "так  и  в  графическом  виде.  Управлять  исполнительными  механизмами  двигателя.",
        "Получать сведения об ошибках.",
        "",
        std::string(39, ' ') + "Отказ от ответственности ",
        "   Программа поставляется ''как есть'', без каких-либо гарантий. Разработчик не ",
        std::string(27, ' ') + "несёт ответственности за последствия её использования.  ",
        "       Если Вы не согласны с этими условиями, Вы должны удалить программу ",
        "       ''MOTOSKOP'' со своих устройств хранения информации и отказаться от ",
        std::string(51, ' ') + "её использования. ",
    };
    for (int n = 5; n <= 17; ++n)
        EXPECT_EQ(about.Label(n).text(), lines[n - 5]) << "Label" << n;
    EXPECT_EQ(about.Label18.text(), "Разработано для мастерских, обслуживающих автомобили Daewoo.");
    EXPECT_EQ(about.Label19.text(), "Адаптер K-line, порты COM1 - COM8.");
    EXPECT_EQ(about.Label3.text(), "Отзывы: на странице проекта.");
    EXPECT_EQ(about.Label4.text(), "Выход");
    Click(about, about.Image2);
    EXPECT_TRUE(f.isEnabled());
}

TEST(VisibleTexts, ColourWindow) {
    TForm1& f = Main();
    Click(f, f.Image32);
    ASSERT_NE(Form6, nullptr);
    TForm6& colours = *Form6;
    const char* const headings[4] = {"Параметр", "График", "Предел шк.", "Сетка"};
    const char* const rows[4] = {"Красный", "Зеленый", "Синий", "Яркость"};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(colours.Headings[column].text(), headings[column]);
        for (int row = 0; row < 4; ++row)
            EXPECT_EQ(colours.RowLabels[column * 4 + row].text(), rows[row])
                << "column " << column << " row " << row;
    }
    EXPECT_EQ(colours.Label1.text(), "Стандртные настройки");
    EXPECT_EQ(colours.Label2.text(), "Сохранить настройки");
    EXPECT_EQ(colours.Label3.text(), "Выход");
    Click(colours, colours.Image4);
    EXPECT_TRUE(f.isEnabled());
}

TEST(VisibleTexts, TroubleCodeAndActuatorWindowsOnceTheEcuAnswers) {
    if (!ecusim_control::available()) GTEST_SKIP() << "no simulator";
    ASSERT_TRUE(ecusim_control::send("reset"));
    TForm1& f = Main();
    ASSERT_TRUE(Connect(f));
    EXPECT_TRUE(PumpUntil([&f] { return f.Label51.text() == "Данные получены."; }, 2000))
        << f.Label51.text();

    Click(f, f.Image17);
    ASSERT_NE(Form4, nullptr);
    TForm4& codes = *Form4;
    EXPECT_EQ(codes.Label20.text(), "Количество ошибок");
    EXPECT_EQ(codes.Label21.text(), "0");
    EXPECT_EQ(codes.Label1.text(), "Сброс");
    EXPECT_EQ(codes.Label2.text(), "Выход");
    Click(codes, codes.Image3);
    ASSERT_TRUE(f.isEnabled());

    Click(f, f.Image16);
    ASSERT_NE(Form5, nullptr);
    TForm5& actuators = *Form5;
    const struct {
        ui::Label& label;
        const char* text;
    } shown[] = {
        {actuators.Label3,  "Лампа неисправности"},
        {actuators.Label4,  "Вентилятор"                 },
        {actuators.Label6,  "Лампа передачи"          },
        {actuators.Label5,  "Кондиционер"               },
        {actuators.Label7,  "Замкнуть ОС"                },
        {actuators.Label8,  "Сброс РДВ"                    },
        {actuators.Label9,  "Обороты ХХ"                  },
        {actuators.Label10, "Состав смеси"              },
        {actuators.Label1,  "Вернуть упр. ЭБУ"        },
        {actuators.Label2,  "Выход"                           },
        {actuators.Label11, "Состояние запроса."   },
        {actuators.Label12, "0"                                    }, // until the first refresh
        {actuators.Label13, "0,0"                                  },
        {actuators.Label15, "0,0"                                  },
    };
    for (const auto& s : shown)
        EXPECT_EQ(s.label.text(), s.text);
    Click(actuators, actuators.Image3);
    EXPECT_TRUE(f.isEnabled());
    Disconnect(f);
}
