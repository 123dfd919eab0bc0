   Select    Tot_Code,  Tot_Name, Tot_No, Tot_Kubun                                                   
   From   (                                                                                           
   	Select  Tot_code = Sale_Code,   Tot_Name = Sale_Name,                                          
               Tot_No = Sale_Serial01 + '-' + Sale_Serial02 + '-' + Sale_Serial03,                
               Tot_Kubun = '거래처'                                                                 
   	From    Sale_Table                                                                             
       Where   rtrim(Sale_Name) like ( :tbName )                                                      
   	Union   All                                                                                    
   	Select  Tot_code = Bank_Code,   Tot_Name = Bank_Name,                                          
               Tot_No = Bank_Serial,                                                                  
               Tot_Kubun = '은행명'                                                                 
    	From    Bank_Table                                                                             
       Where   rtrim(Bank_Name) like ( :tbName )                                                      
             )  T                                                                                     
   Where   Tot_Kubun like ('%' +  '은행명' + '%'  )                         
    	Order  by  Tot_Code                                                                            
