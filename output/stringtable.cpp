#include "stringtable.h"

#include <QHash>

namespace quadrivium {

namespace {

struct Entry {
    int id;
    const char *text; // UTF-8
};

// Keep sorted by id. Add new texts here; every window, page and dialog
// reads its texts from this one table.
const Entry kStrings[] = {
    {104, "Tip of the Day"},
    {105, "Show a tip of the day"},
    {107, "Did you know..."},
    {108, "Tips file does not exist in the prescribed directory"},
    {109, "Trouble reading the tips file"},
    {111, "Content"},
    {112, "Settings"},
    {129, "Readings"},
    {131, "Name"},
    {132, "Birthday"},
    {133, "Time"},
    {500, "Delete"},
    {501, "Please select the items to be deleted"},
    {502, "Delete %1?"},
    {503, "There is still data saved in this group"},
    {504, "New Group"},
    {505, "Rename Group"},
    {508, "Numerological Interpretation"},
    {509, "for"},
    {510, "Ruling Number:"},
    {511, "Day Number:"},
    {512, "Number of Fate:"},
    {513, "Number of Appearance:"},
    {514, "Dominant Name Number:"},
    {515, "Personal Current Year Number:"},
    {516, "Biorhythm"},
    {517, "Born on"},
    {518, "The Physical Curve"},
    {519, "The Spiritual Curve"},
    {520, "The Intellectual Curve"},
    {521, "Present Day: "},
    {522, "Pyramid Interpretation"},
    {523, "January"},
    {524, "February"},
    {525, "March"},
    {526, "April"},
    {527, "May"},
    {528, "June"},
    {529, "July"},
    {530, "August"},
    {531, "September"},
    {532, "October"},
    {533, "November"},
    {534, "December"},
    {2780, "1"},
    {2781, "2"},
    {2813, "Sunday"},
    {2815, "Monday"},
    {2816, "Tuesday"},
    {2817, "Wednesday"},
    {2818, "Thursday"},
    {2819, "Friday"},
    {2820, "Saturday"},
    {2822, "Forward"},
    {2823, "Back"},
    {3001, "Fourth Climax"},
    {3002, "Age and Year at the First Climax"},
    {3003, "Age and Year at the Second Climax"},
    {3004, "Age and Year at the Third Climax"},
    {3005, "Age and Year at the Fourth Climax"},
    {3008, "Third Climax"},
    {3009, "Sum of Birth Month Digits"},
    {3010, "First Climax"},
    {3011, "Sum of Birth Year Digits"},
    {3012, "Sum of Birthday Digits"},
    {3013, "Age at Third Climax"},
    {3014, "Second Climax"},
    {3015, "Age at First Climax"},
    {3016, "Age at Second Climax"},
    {3017, "Age at Fourth Climax"},
    {3018, "Year at Fourth Climax"},
    {3019, "Year at First Climax"},
    {3020, "Year at Third Climax"},
    {3021, "Year at Second Climax"},
    {3022, "First Climax"},
    {3023, "Third Climax"},
    {3024, "Second Climax"},
    {3025, "Fourth Climax"},
    {4775, "Enter a new person"},
    {4897, "Edit File"},
    {5000, "Intellect"},
    {5001, "Emotional Stability"},
    {5002, "Pragmatism"},
    {5003, "Planner"},
    {5004, "Will"},
    {5005, "Activity"},
    {5006, "Spirituality"},
    {5007, "Determination"},
    {5008, "Poor Memory"},
    {5009, "Emotional Vulnerability"},
    {5010, "Frustration"},
    {5011, "Scepticism"},
    {5012, "Indecision"},
    {5013, "Confusion"},
    {5014, "Impracticality"},
    {5015, "Passiveness"},
    {6000, "Number 1 in the Chart"},
    {6001, "Number 2 in the Chart"},
    {6002, "Number 3 in the Chart"},
    {6003, "Number 4 in the Chart"},
    {6004, "Number 5 in the Chart"},
    {6005, "Number 6 in the Chart"},
    {6006, "Number 7 in the Chart"},
    {6007, "Number 8 in the Chart"},
    {6008, "Number 9 in the Chart"},
    {6009, "Ruling Number"},
    {6010, "Day Number"},
    {6011, "Number of Fate"},
    {6012, "Number of Appearance"},
    {6013, "Dominant Name Number"},
    {6014, "Personal Current Year Number"},
    {6023, "The Ruling Number"},
    {6031, "Fate"},
    {6032, "Intellect"},
    {6033, "Pragmatism"},
    {6034, "Planner"},
    {6035, "Will"},
    {6036, "Activity"},
    {6037, "Emotional Stability"},
    {6038, "Spirituality"},
    {7000, "Pyramid"},
    {7011, "Emotional Vulnerability"},
    {9000, "Ruling Number"},
    {9001, "Day Number"},
    {9002, "Number of Fate"},
    {9003, "Number of Appearance"},
    {9004, "Dominant Name Number"},
    {9006, "Name already in database"},
    {9007, "This name %1 %2 exists already in Group %3.\nAdd this person all the same?"},
    {9009, "Courier New"},
    {9010, "Times New Roman"},
    {9012, "Chart.rtf"},
    {9013, "Pyramid.rtf"},
    {9014, "Biorhythm.rtf"},
    {10002, "Open"},
    {10003, "Open - "},
    {10016, "Poor Memory"},
    {10017, "Frustrations"},
    {10018, "Scepticism"},
    {10019, "Ruling Number:"},
    {10020, "Software\\Velmora\\Orbisaneng"},
    {10021, "Velmora"},
    {10039, "How it works:"},
    {10040, "Birth Chart"},
    {10041, "Indecision"},
    {10042, "Confusion"},
    {10043, "Impracticality"},
    {10044, "Passiveness"},
    {22771, "Show the biorhythm of the current person"},
    {22772, "Show how the numbers are calculated"},
    {22773, "Show the pyramid of the current person"},
    {22774, "Show the birth chart of the current person"},
    {22776, "Open a person"},
    {22778, "Show or hide the calendar bar"},
    {22818, "Persons"},
    {22821, "Change the current person"},
    {22822, "Show or hide the main toolbar"},
    {22823, "Save the edited text into the text database"},
    {22824, "Edit the interpretation texts"},
    {22825, "Leave the text manager and return to the readings"},
    {22838, "Save the text pane as an RTF or a text file"},
    {22840, "About Quadrivium"},
    {22850, "Save a picture of the page showing as PNG or SVG"},
    {32848, "Export the reading showing with its texts"},
    {57634, "Copy the selection to the clipboard"},
    {57665, "Quit the program"},
    {57667, "Open the help"},
    {59393, "Show or hide the status bar"},
};

const QHash<int, QString> &table()
{
    static const QHash<int, QString> strings = [] {
        QHash<int, QString> h;
        for (const Entry &e : kStrings)
            h.insert(e.id, QString::fromUtf8(e.text));
        return h;
    }();
    return strings;
}

} // namespace

QString LoadString(int id)
{
    return table().value(id);
}

bool HasString(int id)
{
    return table().contains(id);
}

} // namespace quadrivium
