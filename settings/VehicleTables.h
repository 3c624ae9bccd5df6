#pragma once
// The fixed tables the car, engine and port buttons step through.

struct CarRow {
    const char* label;        // Label2 text
    const char* key;          // car key below \MOTOSKOP\CARS
    const char* engineChoice; // the car's engine-choice value in its ENGINE key
    const char* firstEngine;  // Label3 text when the car button selects it
    const char* firstEngineKey;
    int ecuFamily;
    int engines;
};

struct EngineRow {
    const char* car;   // Label2 text of the car the engine belongs to
    int position;      // in that car's engine list
    const char* label; // Label3 text when the engine button selects it
    const char* key;   // engine key below the car's ENGINE key
    int ecuFamily;
};

struct PortRow {
    int portIndex;
    const char* portName;
    const char* label; // Label1 text
};

constexpr int kCarCount = 12;
constexpr int kSkippedCar = 5; // MATIZ: in the tree, never chosen by the car button
constexpr int kPortCount = 8;

// Null outside the table.
const CarRow* CarAt(int carIndex);
const EngineRow* EngineAt(int carIndex, int engineIndex);
const PortRow* PortAt(int portIndex);
int EngineCount(int carIndex); // 0 outside the car table
