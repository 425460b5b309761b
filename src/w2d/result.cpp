#include "w2d/result.h"

const char* wt_result_name(WT_Result::Enum result) {
    switch (result) {
        case WT_Result::Success: return "Success";
        case WT_Result::Waiting_For_Data: return "Waiting_For_Data";
        case WT_Result::Corrupt_Data: return "Corrupt_Data";
        case WT_Result::End_Of_File: return "End_Of_File";
        case WT_Result::Read_Failed: return "Read_Failed";
        case WT_Result::Out_Of_Memory: return "Out_Of_Memory";
        case WT_Result::No_File_Open: return "No_File_Open";
        case WT_Result::Write_Failed: return "Write_Failed";
        case WT_Result::Open_Failed: return "Open_Failed";
        case WT_Result::Internal_Error: return "Internal_Error";
        case WT_Result::Not_A_W2D_Stream: return "Not_A_W2D_Stream";
        case WT_Result::Unsupported_Opcode: return "Unsupported_Opcode";
        case WT_Result::Unsupported_Format: return "Unsupported_Format";
        case WT_Result::End_Of_Stream: return "End_Of_Stream";
        case WT_Result::Inconsistent_Data: return "Inconsistent_Data";
        case WT_Result::Usage_Error: return "Usage_Error";
        case WT_Result::Decompression_Ended: return "Decompression_Ended";
        case WT_Result::Close_Failed: return "Close_Failed";
        case WT_Result::Wrong_Opcode: return "Wrong_Opcode";
        case WT_Result::Package_Stream: return "Package_Stream";
    }
    return "an unknown result";
}
