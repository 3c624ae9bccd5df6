// Resource numbers of the program's pictures (assets/motoskop.rc).
// IDJ_*: JPEG pictures stored as RCDATA; IDB_*: BMP bitmaps.
#pragma once

// Main window
#define IDJ_MAIN_BACKGROUND 100 // 800 x 572: frames, graph areas, lit faces of every button
#define IDB_MAIN_CLOSE 101      // Image13, 18 x 9
#define IDB_MAIN_ARROW_PREV 102 // Image5, 7, 9, 11: 23 x 13
#define IDB_MAIN_ARROW_NEXT 103 // Image6, 8, 10, 12: 23 x 13
#define IDB_MAIN_SET_1 110      // Image20..Image31: IDB_MAIN_SET_1 + set - 1, 23 x 13
#define IDB_MAIN_SET_12 121
#define IDB_MAIN_COLOURS 130   // Image32, 67 x 20
#define IDB_MAIN_ABOUT 131     // Image33, 67 x 20
#define IDB_MAIN_START 132     // Image15's own picture: START, indicator dark, 95 x 20
#define IDB_MAIN_ERROR 133     // Image17, 95 x 20
#define IDB_MAIN_TEST 134      // Image16, 95 x 20
#define IDB_MAIN_NEXT 135      // Image2, Image3, Image4: 26 x 19
#define IDB_MAIN_EMBLEM 136    // Image18, 115 x 66
#define IDB_MAIN_STARTSTOP 137 // ImageList1: six 95 x 20 frames side by side
// The record control (app/RecordControl_win32.cpp)
#define IDB_MAIN_RECORD 150 // "Запись": four 67 x 20 frames (idle, pressed, recording, pressed)
#define IDB_MAIN_MARK 151   // "Метка", 48 x 18
#define IDB_MAIN_REC_LAMP 152 // the recording lamp: lit and dark, 12 x 12 each
#define IDB_MAIN_VISIT 153    // "Визит": opens «Автомобиль и визит», 67 x 16

// About window
#define IDB_ABOUT_BACKGROUND 200 // 524 x 365
#define IDB_ABOUT_EXIT 201       // Image2, 24 x 18

// Trouble-code window
#define IDJ_CODES_BACKGROUND 300 // 524 x 365
#define IDB_CODES_RESET 301      // Image2, 26 x 19
#define IDB_CODES_EXIT 302       // Image3, 26 x 19

// Actuator window
#define IDB_ACT_BACKGROUND 400 // 524 x 365
#define IDB_ACT_OFF 401        // "Выкл." 95 x 20
#define IDB_ACT_ON 402         // "Вкл." 95 x 20
#define IDB_ACT_BLANK 403      // Image7, 11, 15, 19 beneath the trackbars, 95 x 20
#define IDB_ACT_RETURN 404     // Image2, 26 x 19
#define IDB_ACT_EXIT 405       // Image3, 26 x 19

// Colour window
#define IDB_COLOUR_BACKGROUND 500 // 524 x 365
#define IDB_COLOUR_STANDARD 501   // Image2, 24 x 18
#define IDB_COLOUR_SAVE 502       // Image3, 24 x 18
#define IDB_COLOUR_EXIT 503       // Image4, 24 x 18

// Replay window (and the main window's open button)
#define IDB_REPLAY_BACKGROUND 600 // 800 x 190
#define IDB_REPLAY_PLAY 601       // play/pause, 95 x 20, normal and lit
#define IDB_REPLAY_PLAY_LIT 602
#define IDB_REPLAY_PAUSE 603
#define IDB_REPLAY_PAUSE_LIT 604
#define IDB_REPLAY_LEFT 605      // step back, slower: 26 x 19
#define IDB_REPLAY_RIGHT 606     // step forward, faster
#define IDB_REPLAY_JUMP_PREV 607 // previous / next marker or event
#define IDB_REPLAY_JUMP_NEXT 608
#define IDB_REPLAY_NEXT 609   // the export choices' step buttons
#define IDB_REPLAY_EXPORT 610 // 120 x 20
#define IDB_REPLAY_EXIT 611   // 26 x 19
#define IDB_MAIN_OPEN 612     // the main window's "Открыть", 67 x 20, normal and lit
#define IDB_MAIN_OPEN_LIT 613
#define IDB_REPLAY_SAVE 614    // saves a marker's text, 26 x 19
#define IDB_REPLAY_ANALYSE 615 // opens the analysis window, 72 x 20
// Analysis window: every button a normal and a lit picture
#define IDB_ANALYSIS_ALL 700
#define IDB_ANALYSIS_ALL_LIT 701
#define IDB_ANALYSIS_REPLAY 702
#define IDB_ANALYSIS_REPLAY_LIT 703
#define IDB_ANALYSIS_EXPORT 704
#define IDB_ANALYSIS_EXPORT_LIT 705
#define IDB_ANALYSIS_LANES 706
#define IDB_ANALYSIS_LANES_LIT 707
#define IDB_ANALYSIS_SCATTER 708
#define IDB_ANALYSIS_SCATTER_LIT 709
#define IDB_ANALYSIS_MAP 710
#define IDB_ANALYSIS_MAP_LIT 711
#define IDB_ANALYSIS_SECOND 712
#define IDB_ANALYSIS_SECOND_LIT 713
#define IDB_ANALYSIS_MAXIMISE 714
#define IDB_ANALYSIS_MAXIMISE_LIT 715
#define IDB_ANALYSIS_EXIT 716
#define IDB_ANALYSIS_EXIT_LIT 717
#define IDB_ANALYSIS_ALIGN 718
#define IDB_ANALYSIS_ALIGN_LIT 719
#define IDB_ANALYSIS_CHECKS 720
#define IDB_ANALYSIS_CHECKS_LIT 721
#define IDB_ANALYSIS_REPORT 722
#define IDB_ANALYSIS_REPORT_LIT 723
#define IDB_ANALYSIS_ADD_CHANNEL 724
#define IDB_ANALYSIS_ADD_CHANNEL_LIT 725

// Checks window (checks/TFormChecks.cpp) and the main window's button that opens it
#define IDJ_CHECKS_BACKGROUND 800 // 560 x 572
#define IDB_CHECKS_UP 801         // a page up and down the list, 26 x 19
#define IDB_CHECKS_DOWN 802
#define IDB_CHECKS_EXIT 803 // 26 x 19
#define IDB_MAIN_CHECKS 804 // the main window's "Проверки", 67 x 20, normal and lit
#define IDB_MAIN_CHECKS_LIT 805
// The vehicle and visit window (record/TFormVisit.cpp)
#define IDB_VISIT_BACKGROUND 810 // 524 x 365
#define IDB_VISIT_OK 811         // "OK", 80 x 20
#define IDB_VISIT_CANCEL 812     // "Отмена", 84 x 20
