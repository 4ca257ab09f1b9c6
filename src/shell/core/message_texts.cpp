#include "shell/core/message_texts.h"

QString MessageText(int number, const QString &todayShortDate, const QString &detail)
{
    switch (number) {
    case 1: return QStringLiteral("No data to print. Calculate.");
    case 2: return QStringLiteral("No data to graph. Calculate.");
    case 3: return QStringLiteral("Wrong or missing entry, try again.");
    case 4: return QStringLiteral("Wrong entry, 50 Years limit.");
    case 5: return QStringLiteral("Wrong entry, 40 Years limit.");
    case 6: return QStringLiteral("Limit is 22 entries.");
    case 7: return QStringLiteral("Cannot withdraw Annually more than you have in Savings.");
    case 10: return QStringLiteral("Not a valid date, try again.");
    case 13: return QStringLiteral("File not found or wrong format. Check Filename and/or Directory.");
    case 14: return QStringLiteral("Bad Filename. Must be in the form MYFILE.QVW");
    case 15: return QStringLiteral("No Records.");
    case 16: return QStringLiteral("Name of Fund must be selected and shown in yellow box. See Quick Help.");
    case 17: return QStringLiteral("No Record selected. Click on record number first.");
    case 19:
        return QStringLiteral("Fund selected is not in file. Check name in Fund Name textbox. See Quick Help.");
    case 20:
        return QStringLiteral(
            "Record not saved, missing entry or 0. Entries must be exactly as shown in Quick Help.");
    case 22: return QStringLiteral("30 Row limit.");
    case 23: return QStringLiteral("Cannot sort file.");
    case 24: return QStringLiteral("Check, missing entry or 0.");
    case 25: return QStringLiteral("Bad filename, must be in the form MYFILE.QVS");
    case 26: return QStringLiteral("Cannot calculate.");
    case 27:
        return QStringLiteral(
            "To use all commands you must have a file in memory. Go to 'Add and Edit Records' to start new "
            "file or 'Open a File from Disk'. Open the Dtasampl .Qvs file to use and learn all the features.");
    case 28:
        // Names cannot hold a double quote, so quotes set the name apart.
        return QStringLiteral("You have Added a Fund Name") +
               (detail.isEmpty() ? QString() : QStringLiteral(" \"") + detail + QLatin1Char('"')) +
               QStringLiteral(" but have not entered a record in it."
                              " Either delete the Fund name or add a record."
                              " I cannot work with an empty Fund.");
    case 29:
        return QStringLiteral(
            "Record not Corrected, missing entry or 0. Entries must be exactly as shown in Quick Help.");
    case 30: return QStringLiteral("Correct date format is ") + todayShortDate;
    case 31: return QStringLiteral("Record not saved. Must have a date.");
    case 35: return QStringLiteral("Files are limited to 1000 records. You will have to start a new File.");
    case 36: return QStringLiteral("Funds are limited to 30. You will have to start a new File.");
    case 37: return QStringLiteral("Bad Filename. Must be in the form MYFILE.UMD");
    case 38: return QStringLiteral("Bad Filename. Must be in the form MYFILE.ULD");
    case 51: return QStringLiteral("A transaction type must be selected, click Dn/Arrow and select one.");
    case MsgPrintoutNotWritten:
        return QStringLiteral("The printout could not be finished. Check the printer, or the disk and folder of the "
                              "file you chose, and print again.");
    case MsgSettingsNotSaved:
        return QStringLiteral("Your settings could not be saved (the disk may be full or the folder may not allow "
                              "writing). They are used until you close Tallomar; the next time it starts with the "
                              "settings saved before.");
    case MsgBlankLineNumber: return QStringLiteral("A blank line can be inserted at line number 1 to 28 only.");
    case MsgSaveDiskFull:
        return QStringLiteral("File not saved, the disk is full. Make room on the disk or choose another one, and "
                              "save again.");
    case MsgSaveNoFolder:
        return QStringLiteral("File not saved, the folder does not exist. Check Filename and/or Directory.");
    case MsgSaveNotAllowed:
        return QStringLiteral("File not saved, writing is not allowed there. Choose another Directory, or check "
                              "the permissions of this one.");
    case MsgRecordsImported:
        return QStringLiteral("Imported ") + detail +
               QStringLiteral(". They are in memory only: save the file to disk to keep them.");
    case MsgImportUnreadable: return QStringLiteral("The file cannot be imported: ") + detail + QLatin1Char('.');
    case MsgExportNotWritten:
        return QStringLiteral("The records were not exported (") + detail +
               QStringLiteral("). Check Filename and/or Directory.");
    default: return QString();
    }
}

QString QuestionText(QuestionNumber number, const QString &detail)
{
    switch (number) {
    case QuestionContinuePrintout: return QStringLiteral(" Continue with Printout.");
    case QuestionPrintInColour: return QStringLiteral(" Print in Color.");
    case QuestionUnsavedFile:
        return detail + QStringLiteral(" file in memory will be erased. Do you wish to go back and save it to Disk?.");
    case QuestionDeleteRecord: return QStringLiteral("Are you sure you wish to delete record number: ") + detail;
    case QuestionDeleteFund: return QStringLiteral("Are you sure you wish to delete the current Fund name.");
    case QuestionFileChanged:
        return detail + QStringLiteral(" was changed on Disk since you opened or saved it, perhaps by another copy of "
                                       "the program. Saving replaces those changes. Do you wish to save it anyway?"
                                       " (No goes back without saving.)");
    }
    return QString();
}

FileFilter FileFilterOf(FileKind kind)
{
    switch (kind) {
    case FileKind::Funds: return {QStringLiteral("Investment Manager Database (*.qvs)"), QStringLiteral("*.qvs")};
    case FileKind::NetWorth: return {QStringLiteral("Net Worth Database (*.qvw)"), QStringLiteral("*.qvw")};
    case FileKind::Mortgage: return {QStringLiteral("Mortgage Database (*.umd)"), QStringLiteral("*.umd")};
    case FileKind::Loan: return {QStringLiteral("Loan Database (*.uld)"), QStringLiteral("*.uld")};
    // Broker and bank exports often come as .txt or .tsv.
    case FileKind::Csv:
        return {QStringLiteral("Comma or Tab Separated Values (*.csv *.txt *.tsv)"), QStringLiteral("*.csv")};
    }
    return {};
}
