// Key predicates of the keyboard screen, declared here until that screen is merged; their
// temporary bodies are in pending_calls_tmp.cpp.
#pragma once

bool isKeyDownShift();
bool isKeyDownCtrl();
bool isKeyDownF9();
bool isKeyDownDigit0();
bool isKeyDownDigit1();
bool isKeyDownDigit2();
bool isKeyDownDigit3();
bool isKeyDownDigit4();
bool isKeyDownDigit5();
bool isKeyDownDigit6();
bool isKeyDownDigit7();
bool isKeyDownDigit8();
bool isKeyDownDigit9();
