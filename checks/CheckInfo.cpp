#include "checks/CheckInfo.h"

namespace checks {

namespace {

// clang-format off
const CheckInfo kInfo[kCheckCount] = {
    {Check::OxygenSensor,   "o2",           "Датчик кислорода",            Range::O2MinimumSeconds,
     "Прогрейте двигатель до 80 °C, дождитесь замкнутой петли, держите 2500 об/мин 30 с, затем 30 с холостого хода."},
    {Check::ClosedLoop,     "closed_loop",  "Замкнутая петля",              Range::ClosedLoopMinimumSeconds,
     "Прогрейте двигатель до 80 °C и дайте ему поработать ещё 2 минуты."},
    {Check::CoolantWarmUp,  "coolant",      "Прогрев и датчик температуры", Range::CoolantLevelledSeconds,
     "Начните запись на холодном двигателе (не выше 30 °C) и прогревайте его на холостом ходу до включения вентилятора или 20 минут."},
    {Check::IntakeAir,      "intake_air",   "Датчик температуры воздуха",   Range::IntakeMinimumSeconds,
     "Начните запись до пуска холодного двигателя, простоявшего не меньше 8 часов, и запишите первые 10 с после пуска."},
    {Check::ThrottleSensor, "throttle",     "Датчик положения дросселя",    Range::ThrottleSweepSeconds,
     "На прогретом холостом ходу запишите 10 с, затем плавно откройте дроссель больше чем на 20 % и закройте, 2–3 раза."},
    {Check::MapSensor,      "map",          "Датчик абсолютного давления",  Range::MapMinimumSeconds,
     "Включите зажигание, не заводя двигатель, запишите 3 с, затем заведите и запишите прогретый холостой ход."},
    {Check::Idle,           "idle",         "Холостой ход",                 Range::IdleMinimumSeconds,
     "Прогрейте двигатель до 80 °C и запишите 30 с холостого хода без нагрузки (кондиционер и фары выключены)."},
    {Check::Charging,       "charging",     "Зарядка",                      Range::ChargingMinimumSeconds,
     "Заведите двигатель и запишите не меньше 10 с его работы."},
    {Check::FuelTrim,       "fuel_trim",    "Коррекция топливоподачи",      Range::TrimMinimumSeconds,
     "На прогретом двигателе в замкнутой петле запишите по 20 с холостого хода, 1500–3000 об/мин и езды 60–100 км/ч."},
    {Check::LinkQuality,    "link",         "Качество связи",               Range::LinkMinimumSeconds,
     "Запишите не меньше 30 с связи с ЭБУ."},
    {Check::TroubleCodes,   "codes",        "Коды неисправностей",          Range::TroubleCodesMinimumReplies,
     "Установите связь с ЭБУ: коды приходят в каждом ответе."},
    {Check::Actuators,      "actuators",    "Исполнительные механизмы",     Range::ActuatorMinimumSeconds,
     "В окне тестов включите вентилятор, задайте обороты холостого хода и верните управление ЭБУ, выжидая после каждой команды 5 с."},
};

// Lean: the ECU adds fuel (LEARN, INT above 128): unmeasured air, too little fuel, a sensor
// reading wrong (fuel trim articles: air leaks, weak pump, clogged injectors). Rich: it takes
// fuel away (Daewoo V-121 DTC P1133 diagnostic aids: fuel pressure, leaking injector, MAP
// reading high, regulator diaphragm, silicone on the HO2S; GM Code 45: canister saturation).
const char* const kLeanHints[] = {
    "подсос воздуха во впускной коллектор или вакуумные шланги",
    "низкое давление топлива (насос, фильтр, регулятор)",
    "загрязнённые форсунки",
    "датчик абсолютного давления занижает давление",
    "подсос воздуха в выпуск перед датчиком кислорода",
};
const char* const kRichHints[] = {
    "высокое давление топлива или негерметичная мембрана регулятора",
    "подтекающая форсунка",
    "датчик абсолютного давления завышает давление",
    "насыщенный адсорбер или продувка в неподходящий момент",
    "загрязнённый (силиконом) датчик кислорода",
};

const char* const kLinkAdvice[] = {
    "проверьте, что зажигание включено",
    "проверьте провод и контакты диагностического разъёма и массу адаптера",
    "проверьте адаптер: он должен возвращать каждый байт и держать 8200 бод",
    "у адаптера FTDI уменьшите задержку (Latency Timer) до 1–2 мс в свойствах порта",
};
// clang-format on

} // namespace

const CheckInfo* InfoOf(Check check) {
    const int i = static_cast<int>(check);
    return i >= 0 && i < kCheckCount ? &kInfo[i] : nullptr;
}

const char* const* TrimHints(TrimDirection direction, int& count) {
    if (direction == TrimDirection::Lean) {
        count = static_cast<int>(sizeof kLeanHints / sizeof kLeanHints[0]);
        return kLeanHints;
    }
    count = static_cast<int>(sizeof kRichHints / sizeof kRichHints[0]);
    return kRichHints;
}

const char* LinkAdviceText(LinkAdvice advice) {
    const int i = static_cast<int>(advice);
    return i >= 0 && i < 4 ? kLinkAdvice[i] : "";
}

} // namespace checks
