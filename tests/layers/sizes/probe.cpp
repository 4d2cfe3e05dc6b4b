// clang-format off
// Code for the size check to measure, laid out by hand: each function
// spans as many lines as its name says, from its name to its closing brace.
// The blank lines stand for code.

namespace probe {

// Braces in literals and comments are not code: each one here opens, so
// that one read as code swallows the rest of the file.
int bracesInLiterals()
{
    const char *quoted = "{";
    const char character = '{';
    const char *raw = R"x({"{)x";
    // {
    /* { */
    return quoted[0] + character + raw[0] + 1'000;
}

// Counted from the name, not from the type on the line above.
int
eightyLines()
{












































































    return 80;
}

int eightyOneLines()
{













































































    return 81;
}

// The braces of a member's initial value are not the body.
class Probe
{
public:
    Probe();

private:
    int m_first;
    int m_second;
};

Probe::Probe() : m_first{1}, m_second(2)
{














































































}

// A function within a class.
struct Holder
{
    int eightyOneLinesWithin() const
    {













































































        return 81;
    }
};

// A table is no function, however long.
const int kTable[] = {





















































































};

} // namespace probe
