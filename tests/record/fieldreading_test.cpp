#include "record/fieldreading.h"

#include <gtest/gtest.h>

using namespace tessaly::record;
using tessaly::numeric::StudyInputs;

TEST(StudyInputs, DefaultTextsGiveTheDefaultStudy)
{
    StudyInputs in;
    ASSERT_EQ(readStudyInputs(defaultTexts(), in), 0);
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
    FieldTexts t = defaultTexts();
    t.equation = "  x^2 ";
    t[Lower] = "-1.5e1abc";
    t[Upper] = " 2 0";
    t[Subintervals] = "100.5";
    t[ErrorBound] = "1E-3";
    t[MaxIterations] = "2.5";
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
    for (Item item : {Lower, Subintervals}) {
        FieldTexts t = defaultTexts();
        t[item] = "1E400";
        StudyInputs in;
        EXPECT_EQ(readStudyInputs(t, in), 6);
    }
    FieldTexts t = defaultTexts();
    t.derivative = "1E400";
    StudyInputs derivative;
    EXPECT_EQ(readStudyInputs(t, derivative), 6);
    t = defaultTexts();
    t[Subintervals] = "3000000000";
    StudyInputs in;
    EXPECT_EQ(readStudyInputs(t, in), 6);
}
