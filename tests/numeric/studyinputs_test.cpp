#include "numeric/studyinputs.h"

#include <gtest/gtest.h>

using tessaly::numeric::readStudyInputs;
using tessaly::numeric::StudyInputs;
using tessaly::numeric::StudyTexts;

TEST(StudyInputs, DefaultTextsGiveTheDefaultStudy)
{
    StudyInputs in;
    ASSERT_EQ(readStudyInputs(StudyTexts{}, in), 0);
    EXPECT_EQ(in.equation, "pi/3*x*sin(x)*tanh(x)");
    EXPECT_EQ(in.lower, -8);
    EXPECT_EQ(in.upper, 8);
    EXPECT_EQ(in.subintervals, 256);
    EXPECT_EQ(in.errorBound, 0.01);
    EXPECT_EQ(in.maxIterations, 20);
    EXPECT_EQ(in.derivativeOrder, 0);
}

TEST(StudyInputs, FieldsAreReadAsTheyBeginAndWholeNumbersRoundHalfToEven)
{
    StudyTexts t;
    t.equation = "  x^2 ";
    t.lower = "-1.5e1abc";
    t.upper = " 2 0";
    t.subintervals = "100.5";
    t.errorBound = "1E-3";
    t.maxIterations = "2.5";
    t.derivative = "3rd.derivative";
    StudyInputs in;
    ASSERT_EQ(readStudyInputs(t, in), 0);
    EXPECT_EQ(in.equation, "  x^2 ");
    EXPECT_EQ(in.lower, -15);
    EXPECT_EQ(in.upper, 20);
    EXPECT_EQ(in.subintervals, 100);
    EXPECT_EQ(in.errorBound, 0.001);
    EXPECT_EQ(in.maxIterations, 2);
    EXPECT_EQ(in.derivativeOrder, 3);
}

TEST(StudyInputs, NumbersBeyondTheirRangeAreOverflow)
{
    for (auto field : {&StudyTexts::lower, &StudyTexts::subintervals, &StudyTexts::derivative}) {
        StudyTexts t;
        t.*field = "1E400";
        StudyInputs in;
        EXPECT_EQ(readStudyInputs(t, in), 6);
    }
    StudyTexts t;
    t.subintervals = "3000000000";
    StudyInputs in;
    EXPECT_EQ(readStudyInputs(t, in), 6);
}
