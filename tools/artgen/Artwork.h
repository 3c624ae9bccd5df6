#pragma once
// Each window's pictures, written into dir (the assets folder).
#include <string>

void DrawMainWindow(const std::string& dir);
// The record control, drawn onto the main background (RecordArt.cpp).
class Canvas;
void DrawRecordControl(Canvas& background, const std::string& dir);
void DrawAboutWindow(const std::string& dir);
void DrawTroubleCodeWindow(const std::string& dir);
void DrawActuatorWindow(const std::string& dir);
void DrawColourWindow(const std::string& dir);
void DrawReplayWindow(const std::string& dir);   // and the main window's open button
void DrawAnalysisWindow(const std::string& dir); // and the replay window's "Анализ"
void DrawChecksWindow(const std::string& dir);   // and the main window's "Проверки"
void DrawVisitWindow(const std::string& dir);    // «Автомобиль и визит»
void DrawProgramIcon(const std::string& dir);    // motoskop.ico
