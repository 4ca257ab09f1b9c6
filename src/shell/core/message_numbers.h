#pragma once

#include <QtGlobal>

// Numbers of the message box's messages. Every message a window shows goes
// through Dialogs::message with one of these; MsgNone stands for "no message"
// in results that may carry one.
enum MessageNumber : int {
    MsgNone = 0,
    MsgNoDataToPrint = 1,
    MsgNoDataToGraph = 2,
    MsgWrongEntry = 3,
    Msg50YearsLimit = 4,
    Msg40YearsLimit = 5,
    Msg22Entries = 6,
    MsgWithdrawMoreThanSavings = 7,
    MsgNotAValidDate = 10,
    MsgFileNotFound = 13,
    MsgBadFilenameQvw = 14,
    MsgNoRecords = 15,
    MsgSelectFund = 16,
    MsgNoRecordSelected = 17,
    MsgFundNotInFile = 19,
    MsgRecordNotSaved = 20,
    Msg30RowLimit = 22,
    MsgMissingPrice = 24,
    MsgCannotSort = 23,
    MsgBadQvsName = 25,
    MsgCannotCalculate = 26,
    MsgFundMenuHelp = 27,
    MsgEmptyFund = 28,
    MsgRecordNotCorrected = 29,
    MsgDateFormat = 30,
    MsgNoDate = 31,
    Msg1000Records = 35,
    Msg30Funds = 36,
    MsgBadMortgageFileName = 37,
    MsgBadLoanFileName = 38,
    MsgNoTransactionType = 51,
    MsgSettingsNotSaved = 52,
    MsgPrintoutNotWritten = 53,
    MsgBlankLineNumber = 54,
    // Why a file could not be saved (SaveProblemMessage).
    MsgSaveDiskFull = 61,
    MsgSaveNoFolder = 62,
    MsgSaveNotAllowed = 63,
    // Importing and exporting the investment manager's records.
    MsgRecordsImported = 64,
    MsgImportUnreadable = 65,
    MsgExportNotWritten = 66,
};

// Numbers of the yes/no questions.
enum QuestionNumber : int {
    QuestionContinuePrintout = 1,
    QuestionPrintInColour = 2,
    QuestionUnsavedFile = 3,
    QuestionDeleteRecord = 4,
    QuestionDeleteFund = 5,
    // The file about to be saved over was written by someone else since.
    QuestionFileChanged = 6,
};

