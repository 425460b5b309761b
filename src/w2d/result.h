// The result of every W2D stream operation. The first failure of a sequence
// ends it and is handed back unchanged, so callers test one value.
#ifndef DWFPLOT_W2D_RESULT_H
#define DWFPLOT_W2D_RESULT_H

class WT_Result {
public:
    enum Enum {
        Success = 0,
        Waiting_For_Data = 1,
        Corrupt_Data = 2,
        End_Of_File = 3,
        Read_Failed = 4,
        Out_Of_Memory = 5,
        No_File_Open = 7,
        Write_Failed = 8,
        Open_Failed = 9,
        Internal_Error = 10,
        Not_A_W2D_Stream = 11,
        Unsupported_Opcode = 14,
        Unsupported_Format = 15,
        End_Of_Stream = 16,
        Inconsistent_Data = 17,
        Usage_Error = 18,
        Decompression_Ended = 19,
        Close_Failed = 20,
        Wrong_Opcode = 21,
        Package_Stream = 22,
    };
};

// The result's name as the enumeration spells it ("Corrupt_Data").
const char* wt_result_name(WT_Result::Enum result);

// Hands the first failure of a step sequence back to the caller.
#define WT_CHECK(expression)                                             \
    do {                                                                 \
        const WT_Result::Enum wt_check_result_ = (expression);           \
        if (wt_check_result_ != WT_Result::Success) return wt_check_result_; \
    } while (false)

#endif  // DWFPLOT_W2D_RESULT_H
