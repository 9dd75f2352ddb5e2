#pragma once

#include <string>

#include "record/settingsformat.h"
#include "record/studyformat.h"

namespace tessaly::record::testing {

// The defaults with the one constant a=2.37: the record, its items, and the
// settings file and study file that hold it.
inline StudyRecord withConstant()
{
    StudyRecord r;
    r.constants = {"a=2.37"};
    return r;
}
inline SettingsItems defaultsWithConstant() { return itemsOf(withConstant()); }

inline const std::string kSettingsWithOneConstant =
    "\"pi/3*x*sin(x)*tanh(x)\"\r\n-8\r\n8\r\n256\r\n.01\r\n20\r\n-20\r\n20\r\n-15\r\n15\r\n1\r\n0\r\n0\r\n1\r\n1\r\n"
    "1\r\n\"a=2.37\"\r\n0\r\n";
inline const std::string kStudyWithOneConstant =
    "\"Tessaly\"\r\n"
    "\"pi/3*x*sin(x)*tanh(x)\",-8,8,256,0.01,20,#FALSE#,0,0,0,0\r\n"
    "-20,20,-15,15,1,0,0,1,1\r\n"
    "1\r\n"
    "\"a=2.37\"\r\n";

// Results of every kind, the integral valid.
inline StudyResults someResults()
{
    StudyResults res;
    res.integralValid = true;
    res.integralValue = -12.3456789012345;
    res.roots = {-6.28318590611842, 0, 3.14159265510742};
    res.possibleRootCount = 1;
    res.maxima = {1.5e-20};
    res.minima = {-2.5, 4};
    return res;
}

}  // namespace tessaly::record::testing
